#include "app/cli/info_report.h"

#include <string_view>

#include "codec/device_models.h"
#include "ui/catalogue.h"

namespace tracker::cli {
namespace {

// The Info tab's device information, and the device ID from the GPRS tab.
constexpr std::string_view kInfoControls[] = {
    "SN",        "IMEI",   "Firmware", "Battery", "GPRS1Buffer", "GPRS2Buffer",
    "SMSBuffer", "GPSLog", "Mileage",  "RFID",    "DeviceID",
};

}  // namespace

// Each value under the caption the window shows beside it, with its unit.
void PrintInfo(const Controls& controls, std::ostream& out) {
  for (const std::string_view name : kInfoControls) {
    const ControlSpec& spec = *FindControl(name);
    const std::string value = controls.text(name);
    out << spec.caption << ": " << value;
    if (!spec.unit.empty() && !value.empty()) out << ' ' << spec.unit;
    out << '\n';
  }
  // The model's inputs as the Interface tab shows them: caption and mode.
  for (int input = 1; input <= kInputCount; ++input) {
    const std::string label = InputCaptionLabel(input);
    if (!controls.shown(label)) continue;
    out << controls.caption(label) << ": " << controls.text(InputModeBox(input)) << '\n';
  }
  out.flush();
}

}  // namespace tracker::cli

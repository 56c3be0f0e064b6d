#include "app/cli/info_report.h"

#include <string_view>

#include "codec/device_models.h"
#include "ui/catalogue.h"

namespace tracker::cli {
namespace {

constexpr std::string_view kInfoControls[] = {
    "SN",        "IMEI",   "Firmware", "Battery", "GPRS1Buffer", "GPRS2Buffer",
    "SMSBuffer", "GPSLog", "Mileage",  "RFID",    "DeviceID",
};

const char* yesNo(bool value) {
  return value ? "yes" : "no";
}

}  // namespace

void PrintInfo(const Controls& controls, std::ostream& out) {
  for (const std::string_view name : kInfoControls) {
    out << name << ": " << controls.text(name) << '\n';
  }
  for (int input = 1; input <= kInputCount; ++input) {
    const std::string label = InputCaptionLabel(input);
    const std::string mode = InputModeBox(input);
    out << label << ": " << controls.caption(label) << '\n';
    out << label << " shown: " << yesNo(controls.shown(label)) << '\n';
    out << mode << ": " << controls.itemIndex(mode) << '\n';
  }
  out.flush();
}

}  // namespace tracker::cli

#include "codec/device_models.h"

#include "ui/catalogue.h"

namespace tracker {
namespace {

constexpr bool Y = true;
constexpr bool N = false;
constexpr std::optional<int> kKeep = std::nullopt;

constexpr std::array<std::string_view, kInputCount> kSixInputs{
    "Input1", "Input2", "Input3", "Input4", "Input5(AD1)", "Input6(AD2)"};
constexpr std::array<std::optional<int>, kInputCount> kSixModes{0, 1, 1, 1, 2, 2};

const DeviceModel kModels[] = {
    {"Birch", {Y, Y, Y, Y, Y, Y}, kSixInputs, kSixModes},
    {"Cedar", {Y, Y, Y, Y, Y, Y}, kSixInputs, kSixModes},
    {"Larch",
     {Y, Y, Y, Y, N, N},
     {"Input1", "Input2", "Input3(AD2)", "Input4(AD1)", "", ""},
     {0, 1, 1, 2, kKeep, kKeep}},
    {"Alder",
     {Y, Y, N, N, N, N},
     {"Input1(AD1)", "Input2(AD2)", "", "", "", ""},
     {0, 1, kKeep, kKeep, kKeep, kKeep}},
    {"Aspen", {N, N, N, N, N, N}, {}, {}},
    {"Maple",
     {Y, Y, Y, N, N, N},
     {"Input1(AD2)", "Input2", "Input3(AD1)", "", "", ""},
     {0, 1, 2, kKeep, kKeep, kKeep}},
    {"Rowan",
     {Y, Y, Y, Y, Y, N},
     {"Input1", "Input2", "Input3", "Input4(AD2)", "Input5(AD1)", ""},
     {0, 1, 1, 2, 2, kKeep}},
};

}  // namespace

std::span<const DeviceModel> DeviceModels() {
  return kModels;
}

const DeviceModel* FindDeviceModel(std::string_view firmware) {
  for (const DeviceModel& model : kModels) {
    if (firmware.find(model.name) != std::string_view::npos) return &model;
  }
  return nullptr;
}

void ApplyDeviceModel(const DeviceModel& model, Controls& controls, bool settingsLoaded) {
  for (int i = 0; i < kInputCount; ++i) {
    const int input = i + 1;
    for (const std::string& name :
         {InputCaptionLabel(input), InputModeBox(input), InputTimeLabel(input),
          InputTimeEdit(input), InputTimeUnit(input)}) {
      controls.setShown(name, model.shown[i]);
    }
    if (!model.captions[i].empty())
      controls.setCaption(InputCaptionLabel(input), model.captions[i]);
    if (model.modes[i] && !settingsLoaded)
      controls.setItemIndex(InputModeBox(input), *model.modes[i]);
  }
}

}  // namespace tracker

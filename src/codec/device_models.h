#pragma once
// Tracker models and how each one lays out the Interface tab's input rows.

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "ui/controls.h"

namespace tracker {

inline constexpr int kInputCount = 6;

struct DeviceModel {
  std::string_view name;  // looked for anywhere in the firmware text
  std::array<bool, kInputCount> shown;
  // Caption of each input's row; empty: left as it is.
  std::array<std::string_view, kInputCount> captions;
  // Default mode item of each input; nullopt: left as it is.
  std::array<std::optional<int>, kInputCount> modes;
};

// The models in the order they are tried.
std::span<const DeviceModel> DeviceModels();

// The first model whose name occurs in the firmware text, or nullptr.
const DeviceModel* FindDeviceModel(std::string_view firmware);

// Shows or hides each input row, sets the captions, and the default modes
// unless a settings file has been loaded (its modes win).
void ApplyDeviceModel(const DeviceModel& model, Controls& controls, bool settingsLoaded);

}  // namespace tracker

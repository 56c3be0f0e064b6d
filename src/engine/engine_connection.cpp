// Start-up, the port list, opening and closing the port, the settings file.

#include <string_view>

#include "codec/device_info.h"
#include "engine/engine.h"
#include "serial/device_path.h"
#include "serial/port_enumerator.h"
#include "settings/settings_file.h"
#include "ui/catalogue.h"

namespace tracker {
namespace {

constexpr std::string_view kCaptionWithDlt = "Kelvorin_Parameter_Editor_DLT_V2.4";
constexpr std::string_view kCaptionWithoutDlt = "Kelvorin_Parameter_Editor_V2.4";

// Controls the user may not change; their values still travel.
constexpr std::string_view kLockedControls[] = {
    "DeviceID",  "BatteryLowVolt", "ReplyGPRS1",   "ReplyGPRS2",    "ReplySMS1",     "ReplySMS2",
    "ReplySMS3", "ReplyCMR1",      "IntervalCMR1", "IntervalGPRS1", "IntervalGPRS2",
};

std::vector<std::string> portNames(const PortEnumerator& ports) {
  std::vector<std::string> names;
  for (const PortInfo& info : ports.presentPorts()) names.push_back(info.name);
  return names;
}

}  // namespace

void Engine::setConnectionButtons(bool enabled) {
  for (const Operation& operation : Operations()) {
    if (!operation.button.empty() && !operation.enabledAtStart) {
      controls_.setEnabled(operation.button, enabled);
    }
  }
}

void Engine::FormCreate(const PortEnumerator& ports, const std::string& settingsPath) {
  setConnectionButtons(false);
  window_.setPanelText(0, "Disconnect");
  window_.setPanelText(1, "Idle");
  for (const std::string_view name : kLockedControls) controls_.setEnabled(name, false);
  state_.SettingsLoaded = false;
  window_.setCaption(window_.dltTabShown() ? kCaptionWithDlt : kCaptionWithoutDlt);
  const std::vector<std::string> names = portNames(ports);
  controls_.setItems("ComboBox1", names);
  controls_.setText("ComboBox1", names.empty() ? "None" : names.front());
  if (!names.empty()) controls_.setItemIndex("ComboBox1", 0);
  // The start-up file sets the window up: a key it lacks takes its default.
  if (tracker::LoadSettingsFile(settingsPath, controls_)) state_.SettingsLoaded = true;
}

void Engine::ComboBox1DropDown(const PortEnumerator& ports) {
  const std::string text = controls_.text("ComboBox1");
  controls_.setItems("ComboBox1", portNames(ports));
  controls_.setText("ComboBox1", text);
}

void Engine::OpenPortClick() {
  if (!state_.PortOpened) {
    const std::string name = controls_.text("ComboBox1");
    port_.OpenComm(name);
    lostPort_.clear();
    state_.PortOpened = true;
    identified_ = false;
    unansweredPolls_ = 0;
    controls_.setCaption("OpenPort", "Close");
    state_.AuthPollDelay = kAuthPollTicks;
    state_.SettingsLoaded = false;
    return;
  }
  if (busy() && !window_.askYesNo("An operation is running. Close the port and abandon it?")) {
    return;
  }
  lostPort_.clear();
  closePort();
}

void Engine::closePort() {
  port_.CloseComm();
  state_.PortOpened = false;
  state_.AuthPollDelay = 0;
  identified_ = false;
  endOperation();
  controls_.setCaption("OpenPort", "Open");
  window_.setPanelText(0, "Disconnect");
  window_.setPanelText(1, "Idle");
  clearDeviceInfo();
}

void Engine::clearDeviceInfo() {
  // The next tracker on this port may be another one: never show its
  // predecessor's identity.
  for (const std::string& name : DeviceInfoControlNames()) controls_.setText(name, "");
  controls_.setText("DeviceID", "");
}

void Engine::Comm1RequestHangup() {
  if (!state_.PortOpened) return;
  const std::string name = controls_.text("ComboBox1");
  const bool running = busy();
  closePort();
  const std::string lost = "The connection to " + CommDevicePath(name) + " was lost.";
  setPanel(lost);
  if (running) notice(lost + " The operation did not complete.");
  if (behaviour.reopenWhenBack) lostPort_ = name;
}

void Engine::watchForReturn() {
  if (lostPort_.empty() || state_.PortOpened || !port_.present(lostPort_)) return;
  const std::string name = lostPort_;
  controls_.setText("ComboBox1", name);
  try {
    OpenPortClick();
  } catch (const std::exception&) {
    return;  // not ready yet (permissions are applied a moment after it appears)
  }
  setPanel(CommDevicePath(name) + " is back: reopened, waiting for the tracker...");
}

void Engine::Exit1Click() {
  port_.CloseComm();
  state_.PortOpened = false;
  state_.AuthPollDelay = 0;
}

ENoTrackerSettings::ENoTrackerSettings(const std::string& name)
    : std::runtime_error(name + " holds no tracker settings") {}

bool Engine::LoadSettingsFile(const std::string& path) {
  // Checked first, so that a file without settings changes nothing.
  const SettingsHeld held = InspectSettingsFile(path);
  if (!held.exists) return false;
  if (!held.holdsSettings()) throw ENoTrackerSettings(path);
  lastLoad_ = LoadHeldSettings(path, controls_);
  state_.SettingsLoaded = true;
  return true;
}

void Engine::LoadSettingsText(std::string_view bytes, const std::string& name) {
  if (!InspectSettingsText(bytes).holdsSettings()) throw ENoTrackerSettings(name);
  lastLoad_ = LoadHeldSettingsText(bytes, controls_);
  state_.SettingsLoaded = true;
}

void Engine::SaveSettingsFile(const std::string& path) {
  tracker::SaveSettingsFile(path, controls_);
}

}  // namespace tracker

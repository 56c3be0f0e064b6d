#pragma once
// The demo's simulated tracker inside the editor's own process, for systems
// without pseudo-terminals (Windows): behind the engine's port seam, the port
// named kBuiltInTrackerPort leads to the simulator's device logic instead of
// a serial line; every other name goes to the serial port as before.

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "engine/comm_port.h"

namespace tracker {

inline constexpr const char* kBuiltInTrackerPort = "DEMO";

class BuiltInTrackerPort : public CommPort {
 public:
  using Task = std::function<void()>;
  // post runs a task later on the owner's thread, as the serial component
  // posts its deliveries; deliver hands the tracker's answer to the engine.
  BuiltInTrackerPort(CommPort& serial, std::function<void(Task)> post,
                     std::function<void(std::span<const std::uint8_t>)> deliver);
  ~BuiltInTrackerPort() override;

  // Until enabled, every call goes to the serial port.
  void enable();

  bool SendData(std::span<const std::uint8_t> bytes) override;
  void OpenComm(const std::string& name) override;
  void CloseComm() override;
  bool present(const std::string& name) const override;

 private:
  struct Tracker;

  CommPort& serial_;
  std::function<void(Task)> post_;
  std::function<void(std::span<const std::uint8_t>)> deliver_;
  std::unique_ptr<Tracker> tracker_;  // set once enabled
  bool open_ = false;
  // Deliveries posted before a close are dropped: they check the generation.
  std::shared_ptr<int> generation_ = std::make_shared<int>(0);
};

}  // namespace tracker

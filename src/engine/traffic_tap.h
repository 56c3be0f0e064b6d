#pragma once
// The engine's port with a tap: every frame sent and every delivery received
// goes into the traffic log and the progress of the planned operation before
// it passes on.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "engine/comm_port.h"
#include "engine/progress.h"
#include "engine/traffic_log.h"

namespace tracker {

class TrafficTap : public CommPort {
 public:
  TrafficTap(CommPort& port, TrafficLog& log) : port_(port), log_(log) {}

  bool SendData(std::span<const std::uint8_t> bytes) override;
  void OpenComm(const std::string& name) override { port_.OpenComm(name); }
  void CloseComm() override { port_.CloseComm(); }
  bool present(const std::string& name) const override { return port_.present(name); }

  // A delivery from the port, before the engine sees it.
  void received(std::span<const std::uint8_t> bytes);

  TrafficLog& log() { return log_; }
  ProgressTracker& progress() { return progress_; }

  // Called after the progress may have moved.
  std::function<void()> onProgress;

 private:
  CommPort& port_;
  TrafficLog& log_;
  ProgressTracker progress_;
};

}  // namespace tracker

#pragma once
// Counts what crosses the line and, when asked, prints it as the traffic
// log's lines: the port side wraps the engine's port, the receive side is
// called for every delivery.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>

#include "engine/comm_port.h"
#include "engine/traffic_log.h"
#include "engine/traffic_tap.h"

namespace tracker::cli {

struct TrafficCount {
  std::size_t requests = 0;
  std::size_t bytesSent = 0;
  std::size_t bytesReceived = 0;
  std::size_t deliveries = 0;
};

// What crossed the line since `before` was taken.
TrafficCount Since(const TrafficCount& before, const TrafficCount& now);

class TrafficMeter : public CommPort {
 public:
  TrafficMeter(CommPort& port, std::ostream& out, bool trace);

  bool SendData(std::span<const std::uint8_t> bytes) override;
  void OpenComm(const std::string& name) override { tap_.OpenComm(name); }
  void CloseComm() override { tap_.CloseComm(); }
  bool present(const std::string& name) const override { return tap_.present(name); }

  // A delivery from the port, before the engine sees it.
  void received(std::span<const std::uint8_t> bytes);

  const TrafficCount& count() const { return count_; }
  void reset() { count_ = {}; }

  // The log (--trace prints its lines; none are kept) and the progress.
  TrafficTap& tap() { return tap_; }

 private:
  TrafficLog log_{0};
  TrafficTap tap_;
  TrafficCount count_;
};

}  // namespace tracker::cli

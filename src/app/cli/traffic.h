#pragma once
// Counts what crosses the line and, when asked, prints it: the port side
// wraps the engine's port, the receive side is called for every delivery.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>

#include "engine/comm_port.h"

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
  TrafficMeter(CommPort& port, std::ostream& out, bool trace)
      : port_(port), out_(out), trace_(trace) {}

  bool SendData(std::span<const std::uint8_t> bytes) override;
  void OpenComm(const std::string& name) override { port_.OpenComm(name); }
  void CloseComm() override { port_.CloseComm(); }
  bool present(const std::string& name) const override { return port_.present(name); }

  // A delivery from the port, before the engine sees it.
  void received(std::span<const std::uint8_t> bytes);

  const TrafficCount& count() const { return count_; }
  void reset() { count_ = {}; }

 private:
  CommPort& port_;
  std::ostream& out_;
  bool trace_;
  TrafficCount count_;
};

}  // namespace tracker::cli

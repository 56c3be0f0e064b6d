#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "sim/device.h"
#include "sim/faults.h"
#include "sim/frame.h"
#include "sim/options.h"
#include "sim/pty_link.h"

namespace tracker::sim {

// The tracker's main loop: reads requests from the link, has the device
// answer them, and sends the answers through the fault injector.
class Server {
 public:
  Server(const SimOptions& options, DeviceStore& store, PtyLink& link);

  // Serves until shouldStop returns true (checked at least every 50 ms).
  void run(const std::function<bool()>& shouldStop);

 private:
  using Clock = std::chrono::steady_clock;

  void onPeer(bool open, Clock::time_point now);
  void serve(const std::vector<Frame>& frames, const std::function<bool()>& shouldStop);
  void sendBannerIfDue(Clock::time_point now, const std::function<bool()>& shouldStop);
  std::chrono::milliseconds nextWait(Clock::time_point now) const;

  const SimOptions& options_;
  PtyLink& link_;
  Device device_;
  FaultInjector faults_;
  FrameParser parser_;
  bool peerOpen_ = false;
  Clock::time_point lastData_;
  std::optional<Clock::time_point> bannerDue_;
  bool vanished_ = false;  // the line went dead on purpose
};

// The text a tracker prints when it starts; it names the model.
std::string bannerText(const std::string& model);

}  // namespace tracker::sim

#include "app/editor/built_in_tracker.h"

#include <algorithm>
#include <vector>

#include "serial/comms_error.h"
#include "sim/device.h"
#include "sim/device_info.h"
#include "sim/options.h"

namespace tracker {
namespace {

// Answers reach the engine in pieces no larger than the serial reader's.
constexpr std::size_t kDeliveryBytes = 2048;

}  // namespace

struct BuiltInTrackerPort::Tracker {
  sim::SimOptions options;
  sim::DeviceStore store = sim::DeviceStore::factoryNew(options.deviceId);
  sim::Device device{store, sim::firmwareFor(options.model)};
  sim::FrameParser parser;
};

BuiltInTrackerPort::BuiltInTrackerPort(CommPort& serial, std::function<void(Task)> post,
                                       std::function<void(std::span<const std::uint8_t>)> deliver)
    : serial_(serial), post_(std::move(post)), deliver_(std::move(deliver)) {}

BuiltInTrackerPort::~BuiltInTrackerPort() = default;

void BuiltInTrackerPort::enable() {
  if (!tracker_) tracker_ = std::make_unique<Tracker>();
}

bool BuiltInTrackerPort::SendData(std::span<const std::uint8_t> bytes) {
  if (!open_) return serial_.SendData(bytes);
  std::vector<std::uint8_t> line;
  for (const sim::Frame& request : tracker_->parser.feed(bytes)) {
    const std::optional<sim::Answer> answer = tracker_->device.handle(request);
    if (!answer) continue;
    const sim::Bytes frame = sim::encodeFrame(answer->command, answer->payload);
    line.insert(line.end(), frame.begin(), frame.end());
  }
  for (std::size_t at = 0; at < line.size(); at += kDeliveryBytes) {
    const std::size_t end = std::min(line.size(), at + kDeliveryBytes);
    std::weak_ptr<int> alive = generation_;
    post_([this, alive, piece = std::vector<std::uint8_t>(line.begin() + at, line.begin() + end)] {
      if (!alive.expired()) deliver_(piece);
    });
  }
  return true;
}

void BuiltInTrackerPort::OpenComm(const std::string& name) {
  if (!tracker_ || name != kBuiltInTrackerPort) {
    serial_.OpenComm(name);
    return;
  }
  if (open_) throw ECommsError(kMsgAlreadyOpened);
  tracker_->parser.reset();
  open_ = true;
}

void BuiltInTrackerPort::CloseComm() {
  if (!open_) {
    serial_.CloseComm();
    return;
  }
  open_ = false;
  generation_ = std::make_shared<int>(0);
}

bool BuiltInTrackerPort::present(const std::string& name) const {
  if (tracker_ && name == kBuiltInTrackerPort) return true;
  return serial_.present(name);
}

}  // namespace tracker

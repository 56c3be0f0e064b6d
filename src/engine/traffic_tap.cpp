#include "engine/traffic_tap.h"

namespace tracker {

bool TrafficTap::SendData(std::span<const std::uint8_t> bytes) {
  log_.sent(bytes);
  progress_.sent(bytes);
  if (onProgress && progress_.active()) onProgress();
  return port_.SendData(bytes);
}

void TrafficTap::received(std::span<const std::uint8_t> bytes) {
  log_.received(bytes);
  progress_.received(bytes);
  if (onProgress && progress_.active()) onProgress();
}

}  // namespace tracker

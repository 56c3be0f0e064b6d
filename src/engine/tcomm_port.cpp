#include "engine/tcomm_port.h"

namespace tracker {

inline constexpr std::int32_t kTrackerBaudRate = 115200;

bool TCommPort::SendData(std::span<const std::uint8_t> bytes) {
  return comm_.SendData(bytes.data(), static_cast<std::uint16_t>(bytes.size()));
}

void TCommPort::OpenComm(const std::string& name) {
  comm_.SetCommName(name);
  comm_.SetBaudRate(kTrackerBaudRate);
  comm_.OpenComm();
}

}  // namespace tracker

#include "engine/tcomm_port.h"

#include <filesystem>

#include "protocol/frame.h"
#include "serial/device_path.h"

namespace tracker {

inline constexpr std::int32_t kTrackerBaudRate = 115200;

TCommPort::TCommPort(TComm& comm) : comm_(comm) {
  comm_.SetCompletenessTest(FramesComplete);
}

bool TCommPort::SendData(std::span<const std::uint8_t> bytes) {
  return comm_.SendData(bytes.data(), static_cast<std::uint16_t>(bytes.size()));
}

void TCommPort::OpenComm(const std::string& name) {
  comm_.SetCommName(name);
  comm_.SetBaudRate(kTrackerBaudRate);
  comm_.OpenComm();
}

bool TCommPort::present(const std::string& name) const {
  std::error_code error;
  return std::filesystem::exists(CommDevicePath(name), error);
}

}  // namespace tracker

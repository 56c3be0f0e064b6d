#include "app/cli/traffic.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace tracker::cli {
namespace {

constexpr std::size_t kCommandPosition = 4;  // 5A A5, length (2), command

std::string hexByte(std::uint8_t byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

// Text a tracker prints (its start-up banner), shown as such in the trace.
bool isText(std::span<const std::uint8_t> bytes) {
  return !bytes.empty() && std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) {
    return b == '\r' || b == '\n' || (b >= 0x20 && b < 0x7F);
  });
}

std::string printable(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (const std::uint8_t b : bytes) {
    if (b == '\r')
      text += "\\r";
    else if (b == '\n')
      text += "\\n";
    else
      text += static_cast<char>(b);
  }
  return text;
}

}  // namespace

TrafficCount Since(const TrafficCount& before, const TrafficCount& now) {
  return {.requests = now.requests - before.requests,
          .bytesSent = now.bytesSent - before.bytesSent,
          .bytesReceived = now.bytesReceived - before.bytesReceived,
          .deliveries = now.deliveries - before.deliveries};
}

bool TrafficMeter::SendData(std::span<const std::uint8_t> bytes) {
  ++count_.requests;
  count_.bytesSent += bytes.size();
  if (trace_) {
    out_ << "trace: sent ";
    if (bytes.size() > kCommandPosition) out_ << hexByte(bytes[kCommandPosition]) << ", ";
    out_ << bytes.size() << " bytes" << std::endl;
  }
  return port_.SendData(bytes);
}

void TrafficMeter::received(std::span<const std::uint8_t> bytes) {
  ++count_.deliveries;
  count_.bytesReceived += bytes.size();
  if (!trace_) return;
  if (isText(bytes)) {
    out_ << "trace: received text \"" << printable(bytes) << "\"" << std::endl;
    return;
  }
  out_ << "trace: received " << bytes.size() << " bytes" << std::endl;
}

}  // namespace tracker::cli

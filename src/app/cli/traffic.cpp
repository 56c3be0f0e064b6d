#include "app/cli/traffic.h"

#include <string>

namespace tracker::cli {

TrafficMeter::TrafficMeter(CommPort& port, std::ostream& out, bool trace) : tap_(port, log_) {
  if (trace)
    log_.onLine = [&out](const std::string& line) { out << "trace: " << line << std::endl; };
}

TrafficCount Since(const TrafficCount& before, const TrafficCount& now) {
  return {.requests = now.requests - before.requests,
          .bytesSent = now.bytesSent - before.bytesSent,
          .bytesReceived = now.bytesReceived - before.bytesReceived,
          .deliveries = now.deliveries - before.deliveries};
}

bool TrafficMeter::SendData(std::span<const std::uint8_t> bytes) {
  ++count_.requests;
  count_.bytesSent += bytes.size();
  return tap_.SendData(bytes);
}

void TrafficMeter::received(std::span<const std::uint8_t> bytes) {
  ++count_.deliveries;
  count_.bytesReceived += bytes.size();
  tap_.received(bytes);
}

}  // namespace tracker::cli

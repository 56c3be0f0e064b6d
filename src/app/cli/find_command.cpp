#include "app/cli/find_command.h"

#include <algorithm>
#include <sstream>
#include <thread>
#include <vector>

#include "app/cli/cli_app.h"
#include "app/cli/console_window.h"
#include "app/cli/system_ports.h"
#include "app/cli/tracker_session.h"
#include "app/cli/watch_command.h"
#include "serial/device_path.h"

namespace tracker::cli {
namespace {

// A tracker answers its first poll within a second; a silent port is given three.
constexpr std::chrono::seconds kLongestWait{3};

struct Probe {
  std::string port;
  bool answered = false;
  std::string deviceId;
  std::string firmware;
};

void poll(Probe& probe, const CliOptions& options) {
  std::ostringstream quiet;  // the session's status texts are not the output
  ConsoleWindow window(quiet);
  TrackerSession session(window, false);
  if (!session.open(probe.port, options.code)) return;
  if (session.identify(std::min<std::chrono::seconds>(options.timeout, kLongestWait)) !=
      Identification::Identified) {
    return;
  }
  probe.answered = true;
  probe.deviceId = session.controls().text("DeviceID");
  probe.firmware = session.controls().text("Firmware");
}

std::vector<std::string> portsToPoll(const CliOptions& options) {
  std::vector<std::string> ports;
  if (options.ports.empty()) {
    for (const PortInfo& info : SystemPortEnumerator()->presentPorts()) {
      ports.push_back(CommDevicePath(info.name));
    }
  } else {
    for (const auto& [port, device] : MatchingPorts(options.ports)) ports.push_back(port);
  }
  return ports;
}

}  // namespace

int RunFind(const CliOptions& options, std::ostream& out, std::ostream& err) {
  std::vector<Probe> probes;
  for (const std::string& port : portsToPoll(options)) {
    Probe probe;
    probe.port = port;
    probes.push_back(std::move(probe));
  }
  std::vector<std::thread> threads;
  for (Probe& probe : probes) threads.emplace_back(poll, std::ref(probe), std::cref(options));
  for (std::thread& thread : threads) thread.join();
  std::size_t width = 4;
  for (const Probe& probe : probes) width = std::max(width, probe.port.size());
  int answered = 0;
  for (const Probe& probe : probes) {
    if (!probe.answered) continue;
    ++answered;
    std::string port = probe.port;
    port.resize(width, ' ');
    out << port << "  " << (probe.deviceId.empty() ? "-" : probe.deviceId) << "  " << probe.firmware
        << '\n';
  }
  out.flush();
  if (answered > 0) return kExitCompleted;
  err << "tracker-cli: no tracker answered on " << probes.size()
      << (probes.size() == 1 ? " port" : " ports") << std::endl;
  return kExitFailed;
}

}  // namespace tracker::cli

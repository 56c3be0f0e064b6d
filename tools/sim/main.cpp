// tracker-sim: a GPS tracker on a pseudo-terminal, for trying and testing the
// editor without hardware. Prints the port path first, then serves until
// SIGTERM or SIGINT.

#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "sim/device_store.h"
#include "sim/options.h"
#include "sim/port_symlink.h"
#include "sim/pty_link.h"
#include "sim/server.h"
#include "sim/state_file.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

// The stop signals stay blocked and are polled from the main loop, so no
// handler and no shared flag are needed.
sigset_t blockStopSignals() {
  sigset_t stops;
  sigemptyset(&stops);
  sigaddset(&stops, SIGTERM);
  sigaddset(&stops, SIGINT);
  sigprocmask(SIG_BLOCK, &stops, nullptr);
  return stops;
}

bool stopPending() {
  sigset_t pending;
  sigemptyset(&pending);
  sigpending(&pending);
  return sigismember(&pending, SIGTERM) == 1 || sigismember(&pending, SIGINT) == 1;
}

int serve(const tracker::sim::SimOptions& options) {
  using namespace tracker::sim;
  DeviceStore store = DeviceStore::factoryNew(options.deviceId);
  if (options.stateFile && std::filesystem::exists(*options.stateFile)) {
    loadStateFile(*options.stateFile, store);
  }
  if (options.code) store.authCode = options.code;

  PtyLink link;
  const PortSymlink portLink(options.linkPath, link.path());
  // The file first: whoever reads the stdout line may look for the file at once.
  if (options.portFile) writeFileAtomically(*options.portFile, link.path() + "\n");
  std::cout << link.path() << std::endl;

  Server server(options, store, link);
  server.run(stopPending);

  if (options.stateFile) saveStateFile(*options.stateFile, store);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tracker::sim;
  SimOptions options;
  try {
    options = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& e) {
    std::cerr << "tracker-sim: " << e.what() << " (see --help)\n";
    return kExitUsage;
  }
  if (options.help) {
    std::cout << usageText();
    return 0;
  }
  if (options.version) {
    std::cout << "tracker-sim " TRACKER_VERSION "\n";
    return 0;
  }
  blockStopSignals();
  try {
    return serve(options);
  } catch (const std::exception& e) {
    std::cerr << "tracker-sim: " << e.what() << '\n';
    return kExitFailure;
  }
}

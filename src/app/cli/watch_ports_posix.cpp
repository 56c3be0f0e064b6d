// The POSIX side of watch: ports are device nodes matched by glob patterns,
// and the stop signals are SIGINT and SIGTERM.

#include <glob.h>
#include <signal.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "app/cli/stop_signals.h"
#include "app/cli/watch_command.h"

namespace tracker::cli {
namespace {

// What the port leads to, told apart from what was there before under the
// same names: a pseudo-terminal's number comes round again, and a re-plugged
// adapter gets its old name, but the node (and a link to it) is made anew.
// Empty for a dangling link.
std::string deviceIdentity(const char* port) {
  struct stat link {};
  struct stat device {};
  std::error_code error;
  const auto target = std::filesystem::canonical(port, error);
  if (error || lstat(port, &link) != 0 || stat(port, &device) != 0) return {};
  // Not the device's times: using a terminal may change them.
  return target.string() + " " + std::to_string(device.st_ino) + " " + std::to_string(link.st_ino) +
         "." + std::to_string(link.st_ctim.tv_sec) + "." + std::to_string(link.st_ctim.tv_nsec);
}

}  // namespace

// The stop signals stay blocked (in every thread started after) and are
// taken by wait(), so no handler is needed.
struct StopSignals::State {
  sigset_t set{};
  sigset_t previous{};
};

StopSignals::StopSignals() : state_(std::make_unique<State>()) {
  sigemptyset(&state_->set);
  sigaddset(&state_->set, SIGINT);
  sigaddset(&state_->set, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &state_->set, &state_->previous);
}

StopSignals::~StopSignals() {
  pthread_sigmask(SIG_SETMASK, &state_->previous, nullptr);
}

bool StopSignals::wait(std::chrono::milliseconds wait) {
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
  const timespec timeout{.tv_sec = static_cast<time_t>(ns / 1'000'000'000),
                         .tv_nsec = static_cast<long>(ns % 1'000'000'000)};
  return sigtimedwait(&state_->set, nullptr, &timeout) > 0;
}

std::vector<std::string> DefaultWatchPatterns() {
  return {"/dev/ttyUSB*", "/dev/ttyACM*"};
}

std::vector<std::pair<std::string, std::string>> MatchingPorts(
    const std::vector<std::string>& patterns) {
  std::map<std::string, std::string> ports;
  for (const std::string& pattern : patterns) {
    glob_t found{};
    if (glob(pattern.c_str(), 0, nullptr, &found) == 0) {
      for (std::size_t i = 0; i < found.gl_pathc; ++i) {
        const std::string identity = deviceIdentity(found.gl_pathv[i]);
        if (!identity.empty()) ports[found.gl_pathv[i]] = identity;
      }
    }
    globfree(&found);
  }
  return {ports.begin(), ports.end()};
}

}  // namespace tracker::cli

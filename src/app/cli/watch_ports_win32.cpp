// The Windows side of watch: ports are the names in the registry's list of
// present ports, matched by wildcard patterns ("COM*"), polled; the stop
// requests are Ctrl+C, Ctrl+Break and the console closing.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <map>

#include "app/cli/stop_signals.h"
#include "app/cli/watch_command.h"
#include "serial/win32/registry_port_enumerator.h"

namespace tracker::cli {
namespace {

// Set by the console's handler thread, waited for by StopSignals::wait.
HANDLE g_stopEvent = nullptr;

BOOL WINAPI OnConsoleControl(DWORD type) {
  switch (type) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      SetEvent(g_stopEvent);
      return TRUE;  // handled: the process goes on until watch has finished
    default:
      return FALSE;
  }
}

// A port name as the registry holds it, without the device prefix.
std::string PortName(std::string_view port) {
  constexpr std::string_view kPrefix = "\\\\.\\";
  if (port.starts_with(kPrefix)) port.remove_prefix(kPrefix.size());
  return std::string(port);
}

// '*' any run, '?' any one character; letters compared without case.
bool WildcardMatch(std::string_view pattern, std::string_view text) {
  if (pattern.empty()) return text.empty();
  if (pattern.front() == '*') {
    for (std::size_t skip = 0; skip <= text.size(); ++skip) {
      if (WildcardMatch(pattern.substr(1), text.substr(skip))) return true;
    }
    return false;
  }
  if (text.empty()) return false;
  const auto upper = [](char c) { return std::toupper(static_cast<unsigned char>(c)); };
  if (pattern.front() != '?' && upper(pattern.front()) != upper(text.front())) return false;
  return WildcardMatch(pattern.substr(1), text.substr(1));
}

}  // namespace

struct StopSignals::State {};

StopSignals::StopSignals() : state_(std::make_unique<State>()) {
  g_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

StopSignals::~StopSignals() {
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  CloseHandle(g_stopEvent);
  g_stopEvent = nullptr;
}

bool StopSignals::wait(std::chrono::milliseconds wait) {
  return WaitForSingleObject(g_stopEvent, static_cast<DWORD>(wait.count())) == WAIT_OBJECT_0;
}

std::vector<std::string> DefaultWatchPatterns() {
  return {"COM*"};
}

// A port keeps its name when its adapter is plugged in again, so the identity
// is the name: a port that left the list and came back is programmed again.
std::vector<std::pair<std::string, std::string>> MatchingPorts(
    const std::vector<std::string>& patterns) {
  std::map<std::string, std::string> ports;
  for (const PortInfo& port : RegistryPortEnumerator().presentPorts()) {
    const bool wanted = std::any_of(patterns.begin(), patterns.end(), [&](const std::string& p) {
      return WildcardMatch(PortName(p), port.name);
    });
    if (wanted) ports[port.name] = port.name;
  }
  return {ports.begin(), ports.end()};
}

}  // namespace tracker::cli

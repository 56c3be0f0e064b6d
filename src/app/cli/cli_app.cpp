#include "app/cli/cli_app.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "app/cli/button_title.h"
#include "app/cli/cli_options.h"
#include "app/cli/command_table.h"
#include "app/cli/console_window.h"
#include "app/cli/info_report.h"
#include "app/cli/sysfs_port_enumerator.h"
#include "app/cli/tracker_session.h"
#include "serial/device_path.h"
#include "settings/atomic_write.h"
#include "settings/settings_file.h"

namespace tracker::cli {
namespace {

// A safety net above the engine's own time-outs, which end every operation.
constexpr std::chrono::seconds kOperationCap{120};

// A failure that ends the run with exit status 1 and its message.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string readWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in) throw Failure("cannot read " + path);
  return bytes.str();
}

// The settings file of every key, as the window's Save would write it into a
// new file.
std::string settingsText(const Controls& controls) {
  std::string path = (std::filesystem::temp_directory_path() / "tracker-cli-XXXXXX").string();
  const int fd = mkstemp(path.data());
  if (fd < 0) throw Failure("cannot create a temporary file");
  close(fd);
  std::filesystem::remove(path);  // a new file, with nothing of its own
  try {
    SaveSettingsFile(path, controls);
    std::string text = readWhole(path);
    std::filesystem::remove(path);
    return text;
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    throw;
  }
}

void printTiming(std::string_view button, const OperationResult& result, std::ostream& err) {
  const double seconds = std::chrono::duration<double>(result.duration).count();
  err << "timing: " << button << " " << std::fixed << std::setprecision(3) << seconds << " s, "
      << result.traffic.requests << " requests, " << result.traffic.bytesSent << " bytes sent, "
      << result.traffic.bytesReceived << " bytes received, " << result.traffic.deliveries
      << " deliveries" << std::endl;
  err.unsetf(std::ios::floatfield);
}

void identifyOrFail(TrackerSession& session, const CliOptions& options, std::ostream& out) {
  switch (session.identify(options.timeout)) {
    case Identification::Identified:
      return;
    case Identification::Refused:
      // What the tracker told before refusing is still worth seeing.
      if (options.command == "info") PrintInfo(session.controls(), out);
      throw Failure("the tracker refused the authorisation code");
    case Identification::LinkLost:
      throw Failure("the connection to " + CommDevicePath(options.port) + " was lost");
    case Identification::NoAnswer:
      throw Failure("no tracker answered on " + options.port + " within " +
                    std::to_string(options.timeout.count()) + " s");
  }
}

void runPlan(TrackerSession& session, const CommandPlan& plan, const CliOptions& options,
             std::ostream& err) {
  if (plan.prepare) plan.prepare(session.controls());
  for (const std::string& button : plan.buttons) {
    const OperationResult result = session.run(button, kOperationCap);
    if (options.timing) printTiming(button, result, err);
    if (!result.completed) {
      throw Failure(ButtonTitle(button) + " did not complete: " + result.message);
    }
  }
}

void loadInput(TrackerSession& session, const std::string& path) {
  bool found = false;
  try {
    found = session.engine().LoadSettingsFile(path);
  } catch (const std::exception& e) {
    throw Failure(e.what());
  }
  if (!found) throw Failure("settings file '" + path + "' not found");
}

void writeOutput(const Controls& controls, const CliOptions& options, std::ostream& out) {
  const std::string text = settingsText(controls);
  if (!options.outFile) {
    out << text << std::flush;
    return;
  }
  try {
    WriteFileAtomically(*options.outFile, text);
  } catch (const std::exception& e) {
    throw Failure(e.what());
  }
}

// The identifiers the tracker holds, one a line.
void printIdentifiers(const std::string& memo, std::ostream& out) {
  std::istringstream lines(memo);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) out << line << '\n';
  }
  out.flush();
}

int runOnTracker(const CliOptions& options, std::ostream& out, std::ostream& err) {
  if (options.inFile && !std::filesystem::is_regular_file(*options.inFile)) {
    throw Failure("settings file '" + *options.inFile + "' not found");
  }
  const CommandPlan plan = FindCommand(options.command)->plan(options.arguments);
  ConsoleWindow window(err);
  TrackerSession session(window, options.trace);
  if (!session.open(options.port, options.code)) {
    const auto& errors = session.window().errors();
    throw Failure(errors.empty() ? "cannot open " + options.port : errors.back());
  }
  identifyOrFail(session, options, out);
  if (options.inFile) loadInput(session, *options.inFile);
  runPlan(session, plan, options, err);
  if (plan.reidentify && session.identify(options.timeout) != Identification::Identified) {
    err << "tracker-cli: warning: the tracker did not identify again" << std::endl;
  }
  if (options.command == "info") PrintInfo(session.controls(), out);
  if (options.command == "read") writeOutput(session.controls(), options, out);
  if (options.command == "rfid-check") printIdentifiers(session.controls().text("RFID_Memo"), out);
  return kExitCompleted;
}

void listPorts(std::ostream& out) {
  for (const PortInfo& port : SysfsPortEnumerator().presentPorts()) out << port.name << '\n';
  out.flush();
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  try {
    options = ParseOptions(args);
  } catch (const UsageError& e) {
    err << "tracker-cli: " << e.what() << " (see --help)" << std::endl;
    return kExitUsage;
  }
  if (options.help) {
    out << UsageText();
    return kExitCompleted;
  }
  if (options.version) {
    out << VersionText();
    return kExitCompleted;
  }
  try {
    if (options.command == "ports") {
      listPorts(out);
      return kExitCompleted;
    }
    return runOnTracker(options, out, err);
  } catch (const std::exception& e) {
    err << "tracker-cli: " << e.what() << std::endl;
    return kExitFailed;
  }
}

}  // namespace tracker::cli

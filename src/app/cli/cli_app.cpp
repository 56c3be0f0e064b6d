#include "app/cli/cli_app.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "app/cli/button_title.h"
#include "app/cli/cli_options.h"
#include "app/cli/command_table.h"
#include "app/cli/console_window.h"
#include "app/cli/diff_command.h"
#include "app/cli/find_command.h"
#include "app/cli/fleet.h"
#include "app/cli/info_report.h"
#include "app/cli/session_record.h"
#include "app/cli/system_ports.h"
#include "app/cli/tracker_session.h"
#include "app/cli/watch_command.h"
#include "base/field_error.h"
#include "codec/codec.h"
#include "serial/device_path.h"
#include "settings/atomic_write.h"
#include "settings/field_names.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "ui/memory_controls.h"

namespace tracker::cli {
namespace {

// A safety net above the engine's own time-outs, which end every operation.
constexpr std::chrono::seconds kOperationCap{120};

// A failure that ends the run with exit status 1 and its message.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void printTraffic(std::chrono::steady_clock::duration duration, const TrafficCount& traffic,
                  std::ostream& err) {
  const double seconds = std::chrono::duration<double>(duration).count();
  err << std::fixed << std::setprecision(3) << seconds << " s, " << traffic.requests
      << " requests, " << traffic.bytesSent << " bytes sent, " << traffic.bytesReceived
      << " bytes received, " << traffic.deliveries << " deliveries";
  err.unsetf(std::ios::floatfield);
}

// The whole operation, then the read-back's share of it when there was one.
void printTiming(std::string_view button, const OperationResult& result, std::ostream& err) {
  err << "timing: " << button << " ";
  printTraffic(result.duration, result.traffic, err);
  err << std::endl;
  if (!result.verifyDuration) return;
  err << "timing: " << button << " verify ";
  printTraffic(*result.verifyDuration, result.verifyTraffic, err);
  err << std::endl;
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
  for (const OperationId id : plan.operations) {
    const std::string button(OperationOf(id).button);
    const OperationResult result = session.run(id, kOperationCap);
    if (options.timing) printTiming(button, result, err);
    if (result.verifyFailed && session.engine().lastVerification().incomplete) {
      throw Failure(button + ": not verified, the read-back did not complete");
    }
    if (result.verifyFailed) {
      const std::size_t count = session.engine().lastVerification().mismatches.size();
      throw Failure(ButtonTitle(button) + ": verify failed, the tracker did not keep " +
                    std::to_string(count) + (count == 1 ? " field" : " fields"));
    }
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

// Reads the input file and encodes every group it feeds before the tracker is
// touched, so that a file that cannot be read, or a value a field cannot
// hold, ends the run with nothing sent.
void checkInput(const std::string& path) {
  MemoryControls scratch;
  try {
    if (!LoadSettingsFile(path, scratch)) throw Failure("settings file '" + path + "' not found");
  } catch (const ESettingsReadError& e) {
    throw Failure(e.what());
  }
  for (const Group group : AllGroups()) {
    if (group == Group::Temperature) continue;  // not in a settings file
    try {
      Encode(group, scratch);
    } catch (const EFieldError& e) {
      throw Failure(path + ": " + FileFieldName(e.control()) + ": " + e.problem());
    }
  }
}

// The settings sections a read writes: those of its groups, or all of them.
std::vector<std::string_view> readSections(const std::vector<std::string>& groups,
                                           std::ostream& err) {
  std::vector<std::string_view> sections;
  for (const std::string& group : groups) {
    bool found = false;
    for (const std::string_view section : SettingSections()) {
      if (!std::equal(section.begin(), section.end(), group.begin(), group.end(),
                      [](unsigned char a, unsigned char b) {
                        return std::tolower(a) == std::tolower(b);
                      })) {
        continue;
      }
      sections.push_back(section);
      found = true;
    }
    if (!found) err << "tracker-cli: a settings file holds no " << group << " keys" << std::endl;
  }
  return sections;
}

// Checks before reading the tracker that the output file can be read and
// replaced, so that a read is never lost at the end.
void checkOutput(const CliOptions& options) {
  if (!options.outFile) return;
  try {
    SettingsFileText(*options.outFile, MemoryControls(), {});
    CheckWritable(*options.outFile);
  } catch (const std::exception& e) {
    throw Failure(e.what());
  }
}

// The keys read, merged into the output file (keeping everything else in it)
// or printed as a new file.
void writeOutput(const Controls& controls, const CliOptions& options,
                 const std::vector<std::string_view>& sections, std::ostream& out) {
  if (!options.arguments.empty() && sections.empty()) return;  // groups without keys
  try {
    const std::string path = options.outFile.value_or(std::string());
    const std::string text = SettingsFileText(path, controls, sections);
    if (path.empty()) {
      out << text << std::flush;
      return;
    }
    WriteFileAtomically(path, text);
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

int runOnTracker(const CliOptions& options, std::ostream& out, std::ostream& err,
                 TrackerRecord& record, const ProgressListener& progress) {
  if (options.inFile && !std::filesystem::is_regular_file(*options.inFile)) {
    throw Failure("settings file '" + *options.inFile + "' not found");
  }
  const CommandPlan plan = FindCommand(options.command)->plan(options.arguments);
  const bool read = options.command == "read";
  const std::vector<std::string_view> sections =
      read ? readSections(options.arguments, err) : std::vector<std::string_view>{};
  if (options.inFile) checkInput(*options.inFile);
  if (read) checkOutput(options);
  ConsoleWindow window(err, options.verbose, !options.oneLine);
  TrackerSession session(window, options.trace);
  if (options.command == "write" && options.arguments.empty()) {
    // A settings file holds no temperature rows: writing the window's would
    // erase the tracker's paired sensors.
    session.engine().leaveOutOfWriteAll(Group::Temperature);
    if (!options.oneLine) err << kTemperatureNote << std::endl;  // several ports: said once
  }
  session.engine().setVerifyAfterWriting(options.verify);
  session.engine().setFieldNaming(FieldNaming::Settings);
  session.onProgress = progress;
  const SessionRecord recorded(session, record);
  if (!session.open(options.port, options.code)) {
    const auto& errors = session.window().errors();
    throw Failure(errors.empty() ? "cannot open " + options.port : errors.back());
  }
  identifyOrFail(session, options, out);
  if (options.inFile && options.command == "write") loadInput(session, *options.inFile);
  runPlan(session, plan, options, err);
  if (plan.reidentify && session.identify(options.timeout) != Identification::Identified) {
    err << "tracker-cli: warning: the tracker did not identify again" << std::endl;
  }
  if (options.command == "info") PrintInfo(session.controls(), out);
  if (read) writeOutput(session.controls(), options, sections, out);
  if (options.command == "rfid-check") printIdentifiers(session.controls().text("RFID_Memo"), out);
  if (options.command == "diff") {
    return PrintTrackerDiff(session.controls(), *options.inFile, options.arguments, out);
  }
  return kExitCompleted;
}

void listPorts(std::ostream& out) {
  // One port a line; a description, where the system has one, after a tab.
  for (const PortInfo& port : SystemPortEnumerator()->presentPorts()) {
    out << port.name;
    if (!port.description.empty()) out << '\t' << port.description;
    out << '\n';
  }
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
    if (options.command == "diff" && options.port.empty()) {
      return PrintFileDiff(options.arguments.at(0), options.arguments.at(1), out);
    }
    if (options.command == "watch") return RunWatch(options, out, err);
    if (options.command == "find") return RunFind(options, out, err);
    return RunFleet(options, out, err);
  } catch (const std::exception& e) {
    err << "tracker-cli: " << e.what() << std::endl;
    return kExitFailed;
  }
}

int RunOnPort(const CliOptions& options, std::ostream& out, std::ostream& err,
              TrackerRecord& record, const ProgressListener& progress) {
  const auto start = std::chrono::steady_clock::now();
  record.time = std::chrono::system_clock::now();
  record.port = options.port;
  record.command = options.command;
  if (options.command == "read" || options.command == "write") {
    record.groups = options.arguments.empty() ? std::vector<std::string>{"all"} : options.arguments;
  }
  int status = kExitFailed;
  try {
    status = runOnTracker(options, out, err, record, progress);
    record.completed = true;
  } catch (const std::exception& e) {
    err << "tracker-cli: " << e.what() << std::endl;
    record.message = e.what();
  }
  record.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return status;
}

}  // namespace tracker::cli

#include "app/cli/cli_app.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "app/cli/button_title.h"
#include "app/cli/cli_history.h"
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
#include "app/cli/write_source.h"
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

// The whole operation, then the copy's and the read-back's shares of it.
void printTiming(std::string_view button, const OperationResult& result, std::ostream& err) {
  err << "timing: " << button << " ";
  printTraffic(result.duration, result.traffic, err);
  err << std::endl;
  if (result.copyDuration) {
    err << "timing: " << button << " copy before ";
    printTraffic(*result.copyDuration, result.copyTraffic, err);
    err << std::endl;
  }
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

// What a run on one tracker writes and where it records.
struct RunContext {
  const CliOptions& options;
  const WriteSource* source = nullptr;
  HistoryDb* history = nullptr;
};

// The record of an operation that changed the tracker; one that cannot be
// added fails the run (the tracker has been changed by then: said so).
void record(TrackerSession& session, const RunContext& run, OperationId id,
            const OperationResult& result, std::chrono::system_clock::time_point started) {
  if (run.history == nullptr || !ChangesTracker(OperationOf(id))) return;
  try {
    run.history->add(OperationRecord(session, run.options, id, result, run.source, started));
  } catch (const std::exception& e) {
    throw Failure(std::string(e.what()) + " (the tracker was changed, no record was kept)");
  }
}

void runPlan(TrackerSession& session, const CommandPlan& plan, const RunContext& run,
             std::ostream& err) {
  if (plan.prepare) plan.prepare(session.controls());
  for (const OperationId id : plan.operations) {
    const std::string button(OperationOf(id).button);
    const auto started = std::chrono::system_clock::now();
    const OperationResult result = session.run(id, kOperationCap);
    record(session, run, id, result, started);
    if (run.options.timing) printTiming(button, result, err);
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

void loadInput(TrackerSession& session, const WriteSource& source) {
  try {
    session.engine().LoadSettingsText(source.bytes, source.name);
  } catch (const std::exception& e) {
    throw Failure(e.what());
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

bool changesTracker(const CommandPlan& plan) {
  return std::ranges::any_of(plan.operations,
                             [](OperationId id) { return ChangesTracker(OperationOf(id)); });
}

// Restore writes a copy onto the tracker it was kept from, unless told otherwise.
void checkRestoreTarget(const CliOptions& options, TrackerSession& session,
                        const HistoryDb& history) {
  if (options.command != "restore" || options.anyTracker) return;
  const HistoryRecord kept = FindRecord(history, options.arguments.at(0));
  const std::string here = session.controls().text("DeviceID");
  if (here == kept.deviceId) return;
  throw Failure("the tracker on " + options.port + " is " + (here.empty() ? "unidentified" : here) +
                ", record " + options.arguments.at(0) + " was kept from " + kept.deviceId +
                ": nothing written (--any-tracker writes it anyway)");
}

struct Prepared {
  std::unique_ptr<HistoryDb> history;  // none: --no-history, or nothing to record
  std::unique_ptr<HistoryDb> restoreFrom;
  std::optional<WriteSource> source;  // what a write sends
  CommandPlan plan;
};

// Everything that can refuse the run, before the port is opened: the
// history, the file or record written and every value in it.
Prepared prepare(const CliOptions& options, std::ostream& err) {
  Prepared p;
  const bool writes = options.command == "write" || options.command == "watch";
  try {
    if (options.command == "restore") {
      p.restoreFrom =
          std::make_unique<HistoryDb>(options.historyFile.value_or(DefaultHistoryPath()));
      p.source = RecordSource(*p.restoreFrom, options.arguments.at(0));
    } else if (writes) {
      p.source = FileSource(*options.inFile);
    }
    const std::vector<std::string> groups = writes ? options.arguments : std::vector<std::string>{};
    p.plan = p.source ? WritePlan(*p.source, groups, err)
                      : FindCommand(options.command)->plan(options.arguments);
    if (p.source) CheckEncodes(*p.source);
    if (options.history && changesTracker(p.plan)) p.history = OpenHistory(options);
  } catch (const std::exception& e) {
    throw Failure(e.what());
  }
  if (!options.history && changesTracker(p.plan) && !options.oneLine) {
    err << "tracker-cli: --no-history: no record of this change is kept" << std::endl;
  }
  return p;
}

// The engine as the command needs it: what Write All leaves out, the
// read-back, the names in messages, and the copy before.
void configure(TrackerSession& session, const CliOptions& options, const Prepared& prepared,
               std::ostream& err) {
  const WriteSource* source = prepared.source ? &*prepared.source : nullptr;
  if (source != nullptr && prepared.plan.operations == std::vector{OperationId::WriteAll}) {
    // A settings file holds no temperature rows: writing the window's would
    // erase the tracker's paired sensors.
    session.engine().leaveOutOfWriteAll(Group::Temperature);
    if (!options.oneLine) err << kTemperatureNote << std::endl;  // several ports: said once
  }
  session.engine().setVerifyAfterWriting(options.verify);
  session.engine().setFieldNaming(FieldNaming::Settings);
  // The copy is read for the history, and wherever a file lacks keys.
  session.engine().setCopyBefore(prepared.history != nullptr ||
                                 (source != nullptr && !source->held.missing.empty()));
  if (source == nullptr) return;
  session.onCopied = [source, &session](const MemoryControls& before,
                                        const std::vector<Group>& groups) {
    KeepTrackerValues(*source, before, groups, session.controls());
  };
}

int runOnTracker(const CliOptions& options, std::ostream& out, std::ostream& err,
                 TrackerRecord& record, const ProgressListener& progress) {
  if (options.inFile && !std::filesystem::is_regular_file(*options.inFile)) {
    throw Failure("settings file '" + *options.inFile + "' not found");
  }
  const Prepared prepared = prepare(options, err);
  const CommandPlan& plan = prepared.plan;
  const WriteSource* source = prepared.source ? &*prepared.source : nullptr;
  if (source != nullptr) {
    record.file = source->name;
    record.fileSha256 = source->sha256;
  }
  const bool read = options.command == "read";
  const std::vector<std::string_view> sections =
      read ? readSections(options.arguments, err) : std::vector<std::string_view>{};
  if (read) checkOutput(options);
  ConsoleWindow window(err, options.verbose, !options.oneLine);
  TrackerSession session(window, options.trace);
  configure(session, options, prepared, err);
  session.onProgress = progress;
  const SessionRecord recorded(session, record);
  if (!session.open(options.port, options.code)) {
    const auto& errors = session.window().errors();
    throw Failure(errors.empty() ? "cannot open " + options.port : errors.back());
  }
  identifyOrFail(session, options, out);
  if (prepared.restoreFrom) checkRestoreTarget(options, session, *prepared.restoreFrom);
  if (source != nullptr) {
    loadInput(session, *source);
    ListKeptKeys(*source, err);
  }
  runPlan(session, plan, {.options = options, .source = source, .history = prepared.history.get()},
          err);
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
    if (options.command == "history") return RunHistory(options, out);
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

#include "app/cli/fleet.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <thread>
#include <vector>

#include "app/cli/cli_app.h"
#include "app/cli/console_lines.h"
#include "app/cli/report.h"
#include "serial/device_path.h"

namespace tracker::cli {
namespace {

// One text for every spelling of a port's device: "ttyUSB0", "/dev/ttyUSB0"
// and "/dev/./ttyUSB0" are one port, as are "COM12", "com12" and "\\.\COM12".
std::string SamePortKey(const std::string& port) {
  constexpr std::string_view kWin32Prefix = "\\\\.\\";
  const std::string device = CommDevicePath(port);
  if (device.starts_with(kWin32Prefix)) {
    std::string folded = device;
    for (char& c : folded) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return folded;
  }
  std::string normal = std::filesystem::path(device).lexically_normal().generic_string();
  while (normal.size() > 1 && normal.ends_with('/')) normal.pop_back();
  return normal;
}

struct PortJob {
  CliOptions options;
  TrackerRecord record;
  int status = kExitFailed;
};

// Appends the record; a report that cannot be written fails the run.
int report(ReportFile* file, const TrackerRecord& record, int status, std::ostream& err) {
  if (file == nullptr) return status;
  try {
    file->append(record);
  } catch (const std::exception& e) {
    err << "tracker-cli: " << e.what() << std::endl;
    return std::max(status, kExitFailed);
  }
  return status;
}

std::string summaryRow(int portWidth, const std::string& port, const std::string& id,
                       const std::string& result, const std::string& seconds) {
  std::string row(512, '\0');
  const int n = std::snprintf(row.data(), row.size(), "%-*s  %-16s %-7s %8s", portWidth,
                              port.c_str(), id.c_str(), result.c_str(), seconds.c_str());
  row.resize(static_cast<std::size_t>(std::clamp(n, 0, static_cast<int>(row.size()) - 1)));
  return row;
}

void printSummary(const std::vector<PortJob>& jobs, ConsoleLines& console) {
  int width = 4;
  for (const PortJob& job : jobs) {
    width = std::max(width, static_cast<int>(PortLabel(job.options.port).size()));
  }
  console.writeLine(false, summaryRow(width, "PORT", "DEVICE ID", "RESULT", "SECONDS"));
  for (const PortJob& job : jobs) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", job.record.seconds);
    std::string row = summaryRow(width, PortLabel(job.options.port),
                                 job.record.deviceId.empty() ? "-" : job.record.deviceId,
                                 job.record.completed ? "ok" : "failed", seconds);
    if (!job.record.completed) row += "  " + job.record.message;
    console.writeLine(false, row);
  }
}

// A tracker of several in one line: its identifier and its final box.
std::string OneLine(const TrackerRecord& record) {
  std::string message = record.message;
  std::replace(message.begin(), message.end(), '\n', ' ');
  return (record.deviceId.empty() ? std::string("-") : record.deviceId) + ": " + message;
}

void runJob(PortJob& job, ConsoleLines& console, ReportFile* file, bool prefixed) {
  const std::string label = PortLabel(job.options.port);
  const std::string prefix = prefixed ? "[" + label + "] " : "";
  auto out = console.stream(false, prefix);
  auto err = console.stream(true, prefix);
  job.status = RunOnPort(job.options, *out, *err, job.record,
                         [&console, name = prefixed ? label : std::string()](
                             const std::optional<Progress>& p) { console.progress(name, p); });
  job.status = report(file, job.record, job.status, *err);
  // A failure has said why in its error line already.
  if (job.options.oneLine && job.record.completed) *err << OneLine(job.record) << std::endl;
}

}  // namespace

void CheckFleetOptions(const CliOptions& options) {
  if (options.command == "watch" || options.ports.size() < 2) return;
  if (options.outFile)
    throw UsageError("--out takes one port; without it each port's lines are prefixed");
  std::set<std::string> seen;
  for (const std::string& port : options.ports) {
    if (!seen.insert(SamePortKey(port)).second) throw UsageError("--port " + port + " given twice");
  }
}

std::string PortLabel(const std::string& port) {
  // /dev/ttyUSB0 is ttyUSB0, \\.\COM12 is COM12.
  for (const std::string_view prefix : {std::string_view("/dev/"), std::string_view("\\\\.\\")}) {
    // "/dev/" itself keeps its name: a line prefix of "[] " names nothing.
    if (port.starts_with(prefix) && port.size() > prefix.size()) return port.substr(prefix.size());
  }
  return port;
}

int RunFleet(const CliOptions& options, std::ostream& out, std::ostream& err) {
  std::optional<ReportFile> file;
  if (options.reportFile) file.emplace(*options.reportFile);
  const bool several = options.ports.size() > 1;
  const bool progress = StderrIsTerminal();
  std::vector<PortJob> jobs;
  for (const std::string& port :
       options.ports.empty() ? std::vector<std::string>{options.port} : options.ports) {
    PortJob job{.options = options, .record = {}, .status = kExitFailed};
    job.options.port = port;
    job.options.ports = {port};
    job.options.oneLine = several && !options.verbose;
    jobs.push_back(std::move(job));
  }
  if (!several && !progress) {
    PortJob& job = jobs.front();
    job.status = RunOnPort(job.options, out, err, job.record, {});
    return report(file ? &*file : nullptr, job.record, job.status, err);
  }
  ConsoleLines console(out, err, progress);
  if (several && !options.verbose && options.command == "write" && options.arguments.empty()) {
    console.writeLine(true, kTemperatureNote);
  }
  std::vector<std::thread> threads;
  for (PortJob& job : jobs) {
    threads.emplace_back(runJob, std::ref(job), std::ref(console), file ? &*file : nullptr,
                         several);
  }
  for (std::thread& thread : threads) thread.join();
  if (several) printSummary(jobs, console);
  int status = kExitCompleted;
  for (const PortJob& job : jobs) status = std::max(status, job.status);
  return status;
}

}  // namespace tracker::cli

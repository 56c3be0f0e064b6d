#include "app/cli/watch_command.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <list>
#include <map>
#include <stdexcept>
#include <thread>

#include "app/cli/cli_app.h"
#include "app/cli/console_lines.h"
#include "app/cli/fleet.h"
#include "app/cli/report.h"
#include "app/cli/stop_signals.h"

namespace tracker::cli {
namespace {

constexpr auto kScanEvery = std::chrono::milliseconds(200);

struct WatchJob {
  CliOptions options;
  TrackerRecord record;
  int status = kExitFailed;
  std::atomic<bool> done = false;
  std::thread thread;
};

std::string trackerLine(const WatchJob& job) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2f s", job.record.seconds);
  const std::string label = PortLabel(job.options.port);
  if (!job.record.completed) return label + ": failed after " + seconds + ": " + job.record.message;
  std::string line = label + ": " + job.record.deviceId + " written";
  if (job.record.verified) line += *job.record.verified ? " and verified" : ", verification FAILED";
  return line + " in " + seconds;
}

class Watcher {
 public:
  Watcher(const CliOptions& options, std::ostream& out, std::ostream& err)
      : options_(options), console_(out, err, false) {
    if (options.reportFile) report_.emplace(*options.reportFile);
  }

  void scan();
  void reap(bool all);
  int status() const { return failed_ == 0 ? kExitCompleted : kExitFailed; }
  int programmed() const { return programmed_; }
  int failed() const { return failed_; }

 private:
  bool running(const std::string& port) const;
  void start(const std::string& port);

  CliOptions options_;
  ConsoleLines console_;
  std::optional<ReportFile> report_;
  std::map<std::string, std::string> handled_;  // port -> the device it led to
  std::list<WatchJob> jobs_;
  int programmed_ = 0;
  int failed_ = 0;
};

bool Watcher::running(const std::string& port) const {
  return std::any_of(jobs_.begin(), jobs_.end(),
                     [&](const WatchJob& job) { return job.options.port == port; });
}

void Watcher::scan() {
  const auto present =
      MatchingPorts(options_.ports.empty() ? DefaultWatchPatterns() : options_.ports);
  // A port gone is forgotten, so that the next tracker plugged in there is programmed.
  std::erase_if(handled_, [&](const auto& entry) {
    return std::none_of(present.begin(), present.end(),
                        [&](const auto& p) { return p.first == entry.first; });
  });
  for (const auto& [port, device] : present) {
    const auto it = handled_.find(port);
    if ((it != handled_.end() && it->second == device) || running(port)) continue;
    handled_[port] = device;
    start(port);
  }
}

void Watcher::start(const std::string& port) {
  WatchJob& job = jobs_.emplace_back();
  job.options = options_;
  job.options.command = "write";
  job.options.port = port;
  job.options.ports = {port};
  job.thread = std::thread([this, &job] {
    const std::string prefix = "[" + PortLabel(job.options.port) + "] ";
    auto out = console_.stream(false, prefix);
    auto err = console_.stream(true, prefix);
    job.status = RunOnPort(job.options, *out, *err, job.record, {});
    job.done = true;
  });
}

void Watcher::reap(bool all) {
  for (auto it = jobs_.begin(); it != jobs_.end();) {
    if (!all && !it->done) {
      ++it;
      continue;
    }
    it->thread.join();
    console_.writeLine(false, trackerLine(*it));
    ++(it->record.completed ? programmed_ : failed_);
    if (report_) {
      try {
        report_->append(it->record);
      } catch (const std::exception& e) {
        console_.writeLine(true, std::string("tracker-cli: ") + e.what());
        ++failed_;
      }
    }
    it = jobs_.erase(it);
  }
}

}  // namespace

int RunWatch(const CliOptions& options, std::ostream& out, std::ostream& err) {
  if (!std::filesystem::is_regular_file(*options.inFile)) {
    throw std::runtime_error("settings file '" + *options.inFile + "' not found");
  }
  StopSignals stop;
  Watcher watcher(options, out, err);
  std::string watched;
  for (const std::string& p : options.ports.empty() ? DefaultWatchPatterns() : options.ports) {
    watched += (watched.empty() ? "" : " ") + p;
  }
  err << "watching " << watched << " (interrupt to stop)" << std::endl;
  do {
    watcher.reap(false);
    watcher.scan();
  } while (!stop.wait(kScanEvery));
  watcher.reap(true);
  err << "watch: " << watcher.programmed() << " written, " << watcher.failed() << " failed"
      << std::endl;
  return watcher.status();
}

}  // namespace tracker::cli

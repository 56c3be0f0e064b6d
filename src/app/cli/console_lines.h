#pragma once
// The console of a run on several ports at once: each port's lines, whole and
// prefixed with the port's name, and on a terminal one progress line at the
// bottom of stderr that the other lines pass above.

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>

#include "engine/progress.h"

namespace tracker::cli {

class ConsoleLines {
 public:
  // progressOnErr: draw the progress line (stderr is a terminal).
  ConsoleLines(std::ostream& out, std::ostream& err, bool progressOnErr);
  ~ConsoleLines();
  ConsoleLines(const ConsoleLines&) = delete;
  ConsoleLines& operator=(const ConsoleLines&) = delete;

  // A stream whose whole lines go to out (or err) with the prefix in front.
  std::unique_ptr<std::ostream> stream(bool toErr, std::string prefix);

  // One port's progress (its name; "" for a single port); none removes it.
  void progress(const std::string& port, const std::optional<Progress>& progress);

  // Writes one line (without its line break) to out or err.
  void writeLine(bool toErr, const std::string& line);

 private:
  void eraseLocked();
  void drawLocked();

  std::mutex mutex_;
  std::ostream& out_;
  std::ostream& err_;
  bool show_;
  std::map<std::string, std::string> bars_;  // by port
  bool drawn_ = false;
  std::chrono::steady_clock::time_point lastDraw_{};
};

// "Read All: Reading GEO 45% (12345 of 27000 bytes)"
std::string ProgressText(const Progress& progress);

// Whether stderr is a terminal.
bool StderrIsTerminal();

}  // namespace tracker::cli

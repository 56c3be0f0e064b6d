#pragma once
// The command line of tracker-cli: global options, the command and its
// arguments.

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tracker::cli {

// A command line the tool cannot run with; exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CliOptions {
  std::string port;                       // the last --port
  std::vector<std::string> ports;         // every --port, in order (watch: patterns)
  std::optional<std::string> reportFile;  // --report: one JSON line per tracker
  std::string code;
  std::chrono::seconds timeout{10};  // identification
  bool timing = false;               // print the operation's own duration
  bool trace = false;                // print every frame sent and delivery received
  bool verbose = false;              // print every status text
  bool oneLine = false;  // set for each port of several without --verbose: one line per tracker
  bool verify = true;    // read back and compare after every write
  bool help = false;
  bool version = false;
  std::string command;
  std::vector<std::string> arguments;      // after the command, options removed
  std::optional<std::string> outFile;      // read --out
  std::optional<std::string> inFile;       // write --in, diff --in
  std::optional<std::string> historyFile;  // --history: instead of the user's database
  bool history = true;                     // --no-history: keep no record
  bool anyTracker = false;                 // restore onto a tracker of another device ID
  bool after = false;                      // history show: the read after, not the copy before
  bool json = false;                       // history: one JSON object per line
};

// Parses the arguments after the program name; throws UsageError. Checks the
// command and its arguments too, so that nothing is opened for a bad line.
CliOptions ParseOptions(const std::vector<std::string>& args);

std::string UsageText();

// "tracker-cli 2.4": the program and the project's version.
std::string VersionText();

}  // namespace tracker::cli

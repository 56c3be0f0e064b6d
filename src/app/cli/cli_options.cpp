#include "app/cli/cli_options.h"

#include <cctype>
#include <charconv>
#include <map>

#include "app/cli/command_table.h"
#include "app/cli/diff_command.h"
#include "app/cli/fleet.h"

namespace tracker::cli {
namespace {

constexpr long kMaxTimeoutSeconds = 3600;

std::chrono::seconds parseTimeout(const std::string& text) {
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < 1 ||
      value > kMaxTimeoutSeconds) {
    throw UsageError("--timeout: '" + text + "' is not a number of seconds from 1 to " +
                     std::to_string(kMaxTimeoutSeconds));
  }
  return std::chrono::seconds(value);
}

// The tracker compares exactly four characters; anything else could never match.
std::string checkCode(const std::string& text) {
  if (text.size() != 4) {
    throw UsageError("--code: '" + text + "' is not 4 characters long");
  }
  return text;
}

using Setter = void (*)(CliOptions&, const std::string&);

const std::map<std::string, Setter, std::less<>>& valueOptions() {
  static const std::map<std::string, Setter, std::less<>> kOptions = {
      {"--port",
       [](CliOptions& o, const std::string& v) {
         if (v.empty()) throw UsageError("--port: the port name is empty");
         o.port = v;
         o.ports.push_back(v);
       }},
      {"--report", [](CliOptions& o, const std::string& v) { o.reportFile = v; }},
      {"--code", [](CliOptions& o, const std::string& v) { o.code = checkCode(v); }},
      {"--timeout", [](CliOptions& o, const std::string& v) { o.timeout = parseTimeout(v); }},
      {"--out", [](CliOptions& o, const std::string& v) { o.outFile = v; }},
      {"--in", [](CliOptions& o, const std::string& v) { o.inFile = v; }},
      {"--history", [](CliOptions& o, const std::string& v) { o.historyFile = v; }},
  };
  return kOptions;
}

bool takeFlag(CliOptions& options, const std::string& name) {
  if (name == "--help" || name == "-h") return options.help = true;
  if (name == "--version") return options.version = true;
  if (name == "--timing") return options.timing = true;
  if (name == "--trace") return options.trace = true;
  if (name == "--verbose" || name == "-v") return options.verbose = true;
  if (name == "--no-verify") {
    options.verify = false;
    return true;
  }
  if (name == "--no-history") {
    options.history = false;
    return true;
  }
  if (name == "--any-tracker") return options.anyTracker = true;
  if (name == "--after") return options.after = true;
  if (name == "--json") return options.json = true;
  return false;
}

void checkHistoryLine(const CliOptions& options) {
  const bool show = options.command == "history" && !options.arguments.empty() &&
                    options.arguments.front() == "show";
  if (options.after && !show) throw UsageError("--after belongs to history show");
  if (options.json && (options.command != "history" || show)) {
    throw UsageError("--json belongs to history");
  }
  if (options.anyTracker && options.command != "restore") {
    throw UsageError("--any-tracker belongs to restore");
  }
  if (!options.history && options.historyFile) {
    throw UsageError("--history and --no-history exclude each other");
  }
  if (options.command == "history" && !show && options.arguments.size() > 1) {
    throw UsageError("usage: history [DEVICE-ID] [--json] | history show ID [--after]");
  }
  if (show && options.arguments.size() != 2) throw UsageError("usage: history show ID [--after]");
}

void checkCommand(const CliOptions& options) {
  const CommandSpec* spec = FindCommand(options.command);
  if (spec == nullptr) throw UsageError("unknown command '" + options.command + "'");
  const auto count = static_cast<int>(options.arguments.size());
  if (count < spec->minArguments || (spec->maxArguments >= 0 && count > spec->maxArguments)) {
    throw UsageError("usage: " + std::string(spec->name) + " " + std::string(spec->synopsis));
  }
  if (spec->needsPort && options.port.empty()) {
    throw UsageError(options.command + " needs --port PORT");
  }
  if (options.outFile && options.command != "read") throw UsageError("--out belongs to read");
  const bool writes = options.command == "write" || options.command == "watch";
  if (options.inFile && !writes && options.command != "diff") {
    throw UsageError("--in belongs to write, watch and diff");
  }
  if (options.command == "diff") CheckDiffLine(options);
  if (writes && !options.inFile) throw UsageError(options.command + " needs --in FILE");
  checkHistoryLine(options);
  CheckFleetOptions(options);
  spec->plan(options.arguments);  // checks the arguments themselves
}

}  // namespace

CliOptions ParseOptions(const std::vector<std::string>& args) {
  CliOptions options;
  std::vector<std::string> positional;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    // "-15" is a number (a mileage), not an option.
    const bool negativeNumber =
        name.size() > 1 && name[0] == '-' && std::isdigit(static_cast<unsigned char>(name[1])) != 0;
    if (optionsEnded || !name.starts_with("-") || name == "-" || negativeNumber) {
      positional.push_back(name);
      continue;
    }
    if (name == "--") {
      optionsEnded = true;
      continue;
    }
    std::optional<std::string> value;
    if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    if (!value && takeFlag(options, name)) continue;
    const auto found = valueOptions().find(name);
    if (found == valueOptions().end()) throw UsageError("unknown option '" + args[i] + "'");
    if (!value) {
      if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
      value = args[++i];
    }
    found->second(options, *value);
  }
  if (options.help || options.version) return options;
  if (positional.empty()) throw UsageError("no command given");
  options.command = positional.front();
  options.arguments.assign(positional.begin() + 1, positional.end());
  checkCommand(options);
  return options;
}

// Where the user's history database lives on the system the program runs on.
#ifdef _WIN32
#define TRACKER_HISTORY_DEFAULT "%LOCALAPPDATA%\\tracker-editor\\history.sqlite"
#else
#define TRACKER_HISTORY_DEFAULT "~/.local/share/tracker-editor/history.sqlite"
#endif

// The port names of the system the program runs on.
#ifdef _WIN32
#define TRACKER_PORT_EXAMPLES "COM5 or \\\\.\\COM12"
#else
#define TRACKER_PORT_EXAMPLES "ttyUSB0 or /dev/pts/3"
#endif

std::string UsageText() {
  std::string text =
      "Usage: tracker-cli [--port PORT]... [--code CODE] [--timeout S] [--timing] [--trace]\n"
      "                   [--verbose] [--no-verify] [--report FILE]\n"
      "                   [--history FILE | --no-history] COMMAND [ARGUMENTS]\n"
      "Identifies the tracker on PORT, runs one command and exits with 0 when it\n"
      "completed, 1 on an error, refusal, time-out or failed verification, 2 on a\n"
      "bad command line; diff exits with 0 when both sides are the same and 3 when\n"
      "they differ. With several ports, the worst port's status. watch programs\n"
      "each tracker as it is plugged in, until interrupted. find lists the ports\n"
      "where a tracker answers (port, device ID, firmware) and exits with 1 when\n"
      "none does.\n"
      "Messages, warnings and errors go to stderr; --verbose adds every status text.\n"
      "\n"
      "  --port PORT   serial port, e.g. " TRACKER_PORT_EXAMPLES
      "; give it several times\n"
      "                to run the command on every port at once (watch: a pattern\n"
      "                of ports to watch, default the USB serial adapters; find:\n"
      "                a pattern of ports to poll, default every present port)\n"
      "  --report FILE append one JSON line per tracker to FILE\n"
      "  --code CODE   the tracker's 4-character authorisation code\n"
      "  --timeout S   seconds to wait for the identification (default 10)\n"
      "  --timing      print the operation's own duration and traffic on stderr\n"
      "  --trace       print every frame sent and every delivery received on stderr\n"
      "  --verbose     print every status text on stderr (connection and operation)\n"
      "  --no-verify   do not read the written groups back to compare them with what\n"
      "                was sent (verification, on by default, costs one read)\n"
      "  --history FILE\n"
      "                the history database to record into (default: the user's,\n"
      "                " TRACKER_HISTORY_DEFAULT
      ")\n"
      "  --no-history  change the tracker without keeping a record (said on stderr)\n"
      "  --help        print this text\n"
      "  --version     print the version\n"
      "\nCommands:\n";
  for (const CommandSpec& command : Commands()) {
    text += "  " + std::string(command.name);
    if (!command.synopsis.empty()) text += " " + std::string(command.synopsis);
    text += "\n";
  }
  text += "\nGROUP is one of:";
  for (const GroupArgument& group : GroupArguments()) text += " " + std::string(group.name);
  text +=
      "\nWithout a GROUP, read and write move every group (Read All, Write All);\n"
      "several groups are moved one after the other. read prints the settings file\n"
      "on stdout unless --out is given.\n"
      "diff --in FILE [GROUP...] reads the tracker (writing nothing) and prints one\n"
      "line per key that differs: [Section] Key: tracker X, file Y. diff A.ini B.ini\n"
      "compares two files: [Section] Key: A.ini X, B.ini Y.\n"
      "write --in FILE writes only the groups whose sections FILE holds (a named\n"
      "group it lacks is refused); a key it lacks keeps the tracker's value.\n"
      "Every command that changes the tracker first reads what it replaces and\n"
      "keeps it, with the result, in the history: history lists the records\n"
      "(newest first), history show ID prints a copy before (--after: the read\n"
      "after) as a settings file, restore ID writes it back (--any-tracker: also\n"
      "onto a tracker of another device ID).\n";
  return text;
}

std::string VersionText() {
  return "tracker-cli " TRACKER_VERSION "\n";
}

}  // namespace tracker::cli

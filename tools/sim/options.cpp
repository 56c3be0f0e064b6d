#include "sim/options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>

namespace tracker::sim {
namespace {

long parseNumber(const std::string& option, const std::string& text, long min, long max) {
  int base = 10;
  std::string_view digits = text;
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    base = 16;
    digits.remove_prefix(2);
  }
  long value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() ||
      value < min || value > max) {
    throw UsageError(option + ": '" + text + "' is not a number from " + std::to_string(min) +
                     " to " + std::to_string(max));
  }
  return value;
}

bool allDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

using Setter = std::function<void(SimOptions&, const std::string& option, const std::string&)>;

// A fault switch that takes a count.
Setter faultCount(int Faults::*field, long min, long max) {
  return [=](SimOptions& o, const std::string& opt, const std::string& v) {
    o.faults.*field = static_cast<int>(parseNumber(opt, v, min, max));
  };
}

const std::map<std::string, Setter>& valueOptions() {
  static const std::map<std::string, Setter> table = {
      {"--model",
       [](SimOptions& o, const std::string& opt, const std::string& v) {
         if (v.empty() || v.find(',') != std::string::npos) {
           throw UsageError(opt + ": the model name must be non-empty and hold no ','");
         }
         o.model = v;
       }},
      {"--device-id",
       [](SimOptions& o, const std::string& opt, const std::string& v) {
         if (v.size() != 15 || !allDigits(v)) throw UsageError(opt + ": needs 15 digits");
         o.deviceId = v;
       }},
      {"--code",
       [](SimOptions& o, const std::string& opt, const std::string& v) {
         if (v.size() != 4) throw UsageError(opt + ": the code must have exactly 4 characters");
         o.code = v;
       }},
      {"--state", [](SimOptions& o, const std::string&, const std::string& v) { o.stateFile = v; }},
      {"--port-file",
       [](SimOptions& o, const std::string&, const std::string& v) { o.portFile = v; }},
      {"--link", [](SimOptions& o, const std::string&, const std::string& v) { o.linkPath = v; }},
      {"--pace",
       [](SimOptions& o, const std::string& opt, const std::string& v) {
         o.paceBaud = static_cast<int>(parseNumber(opt, v, 10, 4000000));
       }},
      {"--silent",
       [](SimOptions& o, const std::string& opt, const std::string& v) {
         o.faults.silent.insert(static_cast<std::uint8_t>(parseNumber(opt, v, 0, 255)));
       }},
      {"--bad-crc", faultCount(&Faults::badCrcAnswers, 0, 1000000)},
      {"--bad-crc-after", faultCount(&Faults::badCrcAfter, 0, 1000000)},
      {"--vanish-after", faultCount(&Faults::vanishAfter, 1, 1000000)},
      {"--forget-writes",
       [](SimOptions& o, const std::string& opt, const std::string& v) {
         o.faults.forgetBlocks.insert(static_cast<std::uint8_t>(parseNumber(opt, v, 0, 6)));
       }},
      {"--split",
       [](SimOptions& o, const std::string& opt, const std::string& v) {
         o.faults.split = std::chrono::milliseconds(parseNumber(opt, v, 1, 10000));
       }},
      {"--cut-after",
       [](SimOptions& o, const std::string& opt, const std::string& v) {
         o.faults.cutAfter = static_cast<std::size_t>(parseNumber(opt, v, 1, 100000));
       }},
      {"--cut-pause",
       [](SimOptions& o, const std::string& opt, const std::string& v) {
         o.faults.cutPause = std::chrono::milliseconds(parseNumber(opt, v, 0, 10000));
       }},
      {"--bad-crc-every", faultCount(&Faults::badCrcEvery, 1, 1000000)},
  };
  return table;
}

}  // namespace

SimOptions parseOptions(const std::vector<std::string>& args) {
  SimOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name == "--version") {
      options.version = true;
      continue;
    }
    if (name == "--banner" && !value) {
      options.banner = true;
      continue;
    }
    if (name == "--wrong-echo" && !value) {
      options.faults.wrongEcho = true;
      continue;
    }
    if (name == "--false-start" && !value) {
      options.faults.falseStart = true;
      continue;
    }
    const auto found = valueOptions().find(name);
    if (found == valueOptions().end()) throw UsageError("unknown option '" + args[i] + "'");
    if (!value) {
      if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
      value = args[++i];
    }
    found->second(options, name, *value);
  }
  return options;
}

std::string usageText() {
  return "Usage: tracker-sim [options]\n"
         "A GPS tracker on a pseudo-terminal. Prints the port path as its first line\n"
         "and serves until SIGTERM or SIGINT.\n"
         "\n"
         "  --model NAME      model named in the firmware text (default Larch)\n"
         "  --device-id ID    15-digit device identifier and IMEI (default 860000000000001)\n"
         "  --code CODE       4-character authorisation code (default: accept any)\n"
         "  --state FILE      load the tracker's memory from FILE, save it there on exit\n"
         "  --port-file FILE  also write the port path to FILE\n"
         "  --link PATH       also make PATH a symbolic link to the port (removed on exit)\n"
         "  --pace BAUD       send, and take requests, no faster than a serial line at\n"
         "                    BAUD (10 bits a byte)\n"
         "  --banner          send \"Model: ...\" text when the port is opened and after\n"
         "                    restoring defaults\n"
         "Faults:\n"
         "  --silent CMD      never answer command CMD (e.g. 0xB6); repeatable\n"
         "  --bad-crc N       corrupt the CRC of the next N answers\n"
         "  --bad-crc-after K let K answers pass unharmed before the bad CRCs start\n"
         "  --split MS        send each answer in 3 pieces, MS milliseconds apart\n"
         "  --wrong-echo      block read answers echo the offset after the one asked for\n"
         "  --vanish-after N  close the line (as if unplugged) after N answers\n"
         "  --forget-writes B acknowledge writes to block B (1-6; 0: the WiFi list)\n"
         "                    without storing them; repeatable\n"
         "  --cut-after N     send each answer in 2 pieces, cut after its byte N\n"
         "  --cut-pause MS    the pause at that cut (default 40)\n"
         "  --false-start     send 5A A5 FF F0 (a false frame start) before every answer\n"
         "  --bad-crc-every N corrupt the CRC of every Nth answer\n"
         "  --help            show this text\n"
         "  --version         show the version\n";
}

}  // namespace tracker::sim

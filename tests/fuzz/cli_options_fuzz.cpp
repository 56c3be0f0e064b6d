// tracker-cli's command line from the input: options, commands, groups,
// numbers and port names of both systems (COM12, \\.\COM12, /dev/ttyUSB0,
// patterns) mixed with arbitrary words. A line is refused only with a usage
// error; an accepted one names a known command, no empty port, ports that
// label themselves, and its command's plan prepares a window; the same line
// with one of its ports given again under its device's path is refused.

#include <string>
#include <vector>

#include "app/cli/cli_options.h"
#include "app/cli/command_table.h"
#include "app/cli/fleet.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/snapshot.h"
#include "serial/device_path.h"

namespace tracker::fuzz {
namespace {

using cli::CliOptions;
using cli::UsageError;

const std::vector<std::string>& Words() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> all = {"--port",
                                    "--port=",
                                    "--code",
                                    "--timeout",
                                    "--timing",
                                    "--trace",
                                    "--verbose",
                                    "-v",
                                    "--no-verify",
                                    "--help",
                                    "-h",
                                    "--version",
                                    "--report",
                                    "--out",
                                    "--in",
                                    "--",
                                    "-",
                                    "-15",
                                    "",
                                    "=",
                                    "COM12",
                                    "\\\\.\\COM12",
                                    "com12",
                                    "\\\\.\\",
                                    "/dev/ttyUSB0",
                                    "ttyUSB0",
                                    "pts/3",
                                    "/dev/../dev/pts/3",
                                    ".",
                                    "/dev/",
                                    "./x",
                                    "ttyUSB*",
                                    "COM*",
                                    "/dev/ttyACM?",
                                    "[0-9]",
                                    "*",
                                    "0",
                                    "1",
                                    "4294967296",
                                    "-2147483649",
                                    "1234",
                                    "ABCD",
                                    "a.ini",
                                    "b.ini",
                                    "--in=a.ini",
                                    "--port=COM12",
                                    "--timeout=0",
                                    "--code=1234",
                                    "3600",
                                    "3601"};
    for (const cli::CommandSpec& command : cli::Commands()) all.emplace_back(command.name);
    for (const cli::GroupArgument& group : cli::GroupArguments()) all.emplace_back(group.name);
    return all;
  }();
  return words;
}

std::vector<std::string> Arguments(InputReader& input) {
  std::vector<std::string> args;
  while (!input.empty() && args.size() < 24) {
    const std::uint8_t pick = input.byte();
    if (pick < 224) {
      args.push_back(Words()[pick % Words().size()]);
      continue;
    }
    const auto raw = input.take(input.byte() % 16);
    args.emplace_back(raw.begin(), raw.end());
  }
  return args;
}

std::optional<CliOptions> Parsed(const std::vector<std::string>& args) {
  try {
    return cli::ParseOptions(args);
  } catch (const UsageError& e) {
    FUZZ_CHECK(e.what()[0] != '\0');
    return std::nullopt;
  }
}

void CheckAccepted(const CliOptions& options, std::vector<std::string> args) {
  if (options.help || options.version) return;
  const cli::CommandSpec* command = cli::FindCommand(options.command);
  FUZZ_CHECK(command != nullptr);
  for (const std::string& port : options.ports) {
    FUZZ_CHECK(!port.empty());
    FUZZ_CHECK(!cli::PortLabel(port).empty());
  }
  if (!options.ports.empty()) FUZZ_CHECK(options.port == options.ports.back());
  const cli::CommandPlan plan = command->plan(options.arguments);
  if (plan.prepare) {
    MemoryControls window = FreshWindow();
    plan.prepare(window);
  }
  if (options.port.empty() || options.command == "watch") return;
  args.insert(args.begin(), {"--port", CommDevicePath(options.port)});
  FUZZ_CHECK(!Parsed(args));
}

}  // namespace

int FuzzOne(InputReader& input) {
  const std::vector<std::string> args = Arguments(input);
  if (const auto options = Parsed(args)) CheckAccepted(*options, args);
  return 0;
}

}  // namespace tracker::fuzz

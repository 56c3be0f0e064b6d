#include "app/editor/editor_options.h"

#include <algorithm>

namespace tracker {

EditorOptions ParseEditorOptions(const std::vector<std::string>& args) {
  EditorOptions options;
  for (const std::string& arg : args) {
    if (arg == "--demo") {
      options.demo = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (options.error.empty()) {
      options.error = "unknown option '" + arg + "'";
    }
  }
  return options;
}

bool AsksForText(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(), [](const std::string& arg) {
    return arg == "--help" || arg == "-h" || arg == "--version";
  });
}

std::string EditorUsageText() {
  return "Usage: tracker-editor [--demo] [Qt options]\n"
         "Opens the parameter editor of GPS vehicle trackers.\n"
         "\n"
         "  --demo      start a simulated tracker and preselect its port\n"
         "  --help      print this text\n"
         "  --version   print the version\n";
}

std::string EditorVersionText() {
  return "tracker-editor " TRACKER_VERSION "\n";
}

}  // namespace tracker

#pragma once
// The command line of tracker-editor. --help and --version are answered before
// any window or display is touched; the rest once Qt has taken its own options.

#include <string>
#include <vector>

namespace tracker {

struct EditorOptions {
  bool demo = false;
  bool help = false;
  bool version = false;
  std::string error;  // a usage error, empty when the line is good
};

// args: the arguments after the program name.
EditorOptions ParseEditorOptions(const std::vector<std::string>& args);

// True when args ask for --help or --version, whatever else they hold.
bool AsksForText(const std::vector<std::string>& args);

std::string EditorUsageText();
std::string EditorVersionText();

}  // namespace tracker

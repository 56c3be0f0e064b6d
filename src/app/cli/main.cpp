// tracker-cli: the editor's engine and settings file without a window.

#include <iostream>
#include <string>
#include <vector>

#include "app/cli/cli_app.h"

int main(int argc, char** argv) {
  return tracker::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                              std::cerr);
}

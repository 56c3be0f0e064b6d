#include <windows.h>

#include "app/cli/console_lines.h"

namespace tracker::cli {

// A console, not a pipe or a file.
bool StderrIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace tracker::cli

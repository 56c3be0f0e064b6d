#include <unistd.h>

#include "app/cli/console_lines.h"

namespace tracker::cli {

bool StderrIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

}  // namespace tracker::cli

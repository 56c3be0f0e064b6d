#pragma once
// What a write sends: a settings file, or a copy kept in the history. It
// writes the groups whose sections it holds and nothing else; a key it
// lacks inside such a section keeps the tracker's value (read in the copy
// before).

#include <ostream>
#include <string>
#include <vector>

#include "app/cli/command_table.h"
#include "settings/settings_file.h"
#include "ui/controls.h"
#include "ui/memory_controls.h"

namespace tracker::cli {

struct WriteSource {
  std::string name;  // as messages name it: the path given, or "record 12"
  std::string bytes;
  std::string sha256;
  SettingsHeld held;
};

// Reads a settings file; throws std::runtime_error when it is missing,
// cannot be read or holds no tracker settings.
WriteSource FileSource(const std::string& path);
// A copy kept in the history, as a settings file's text.
WriteSource TextSource(std::string name, std::string bytes);

// The write operations for the groups named (none: every group the source
// holds, saying which it leaves alone); throws std::runtime_error for a
// named group it does not hold.
CommandPlan WritePlan(const WriteSource& source, const std::vector<std::string>& groups,
                      std::ostream& err);

// Encodes every group the source feeds, so that a value a field cannot hold
// ends the run before the port is opened.
void CheckEncodes(const WriteSource& source);

// "[Main] Tow Time: not in g.ini, kept", one line per key the source lacks.
void ListKeptKeys(const WriteSource& source, std::ostream& err);

// Gives the keys the source lacks the tracker's values from the copy before,
// for the groups the copy read.
void KeepTrackerValues(const WriteSource& source, const MemoryControls& before,
                       const std::vector<Group>& read, Controls& controls);

}  // namespace tracker::cli

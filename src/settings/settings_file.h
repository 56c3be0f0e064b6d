#pragma once
// Loading the window's values from a settings file and saving them into one.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"

namespace tracker {

// Raised when a settings file exists but cannot be used; the message is the
// one the user sees: "Cannot read <path>: <reason>".
class ESettingsReadError : public std::runtime_error {
 public:
  ESettingsReadError(const std::string& path, const std::string& reason);
};

// Reads every key of the settings table into its control; a key the file lacks
// (or cannot express) puts its default there. Returns whether the file exists;
// when it does not, no control changes. A file that cannot be read, or is not
// a text settings file, throws ESettingsReadError and changes no control.
bool LoadSettingsFile(const std::string& path, Controls& controls);
// The same for a file's content in memory; `name` names it in the error.
void LoadSettingsText(std::string_view text, const std::string& name, Controls& controls);

struct SettingKey;

// What a settings file holds of the settings table.
struct SettingsHeld {
  bool exists = false;
  std::vector<std::string_view> sections;  // of SettingSections(), in table order
  std::vector<const SettingKey*> missing;  // keys the file lacks inside those sections

  bool holdsSettings() const { return !sections.empty(); }
  bool holds(std::string_view section) const;
};

// Reads only what the file holds: the keys of the sections it has, each key
// it lacks leaving its control as it is. A missing file, or one without any
// settings section, changes no control. Throws ESettingsReadError as above.
SettingsHeld LoadHeldSettings(const std::string& path, Controls& controls);
// The same over a file's bytes (a copy kept in the history).
SettingsHeld LoadHeldSettingsText(std::string_view bytes, Controls& controls);
// "g.ini holds no [Main], [GEO]: left as they are"; empty when it holds every section.
std::string LackingSectionsLine(const SettingsHeld& held, std::string_view name);
// "[Main] Tow Time: not in g.ini, kept", one per key the file lacks.
std::vector<std::string> KeptKeyLines(const SettingsHeld& held, std::string_view name);

// What the file holds, changing nothing.
SettingsHeld InspectSettingsFile(const std::string& path);
SettingsHeld InspectSettingsText(std::string_view bytes);

// Writes the keys of the settings table from their controls into the file,
// keeping every other section, key and line the file holds, and replaces the
// file in one step. With sections given, only their keys are written. Throws
// EIniWriteError ("Unable to write to <path>") and leaves the old file
// untouched when it cannot be written.
void SaveSettingsFile(const std::string& path, const Controls& controls);
void SaveSettingsSections(const std::string& path, const Controls& controls,
                          const std::vector<std::string_view>& sections);

// The file's bytes after such a save, without writing it; a missing file (or
// an empty path) counts as empty. Throws ESettingsReadError as loading does.
std::string SettingsFileText(const std::string& path, const Controls& controls,
                             const std::vector<std::string_view>& sections);
// The same for a file's content in memory.
std::string SavedSettingsText(std::string_view text, const std::string& name,
                              const Controls& controls,
                              const std::vector<std::string_view>& sections);

}  // namespace tracker

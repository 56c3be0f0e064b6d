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

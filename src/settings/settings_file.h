#pragma once
// Loading the window's values from a settings file and saving them into one.

#include <string>

#include "ui/controls.h"

namespace tracker {

// Reads every key of the settings table into its control; a key the file lacks
// (or cannot express) puts its default there. Returns whether the file exists;
// when it does not, no control changes.
bool LoadSettingsFile(const std::string& path, Controls& controls);

// Writes every key of the settings table from its control into the file,
// keeping every other section, key and line the file holds, and replaces the
// file in one step. Throws EIniWriteError ("Unable to write to <path>") and
// leaves the old file untouched when it cannot be written.
void SaveSettingsFile(const std::string& path, const Controls& controls);

}  // namespace tracker

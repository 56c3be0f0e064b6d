#pragma once
// Where this program keeps its per-user files: one folder for settings, one
// for data (the history database), each ending in "tracker-editor".

#include <filesystem>

namespace tracker {

enum class UserFolder {
  // Settings: Windows %APPDATA%, else $XDG_CONFIG_HOME or ~/.config.
  Config,
  // Data: Windows %LOCALAPPDATA%, else $XDG_DATA_HOME or ~/.local/share.
  Data,
};

// The folder (not created). Empty when the environment names no home at all.
// On Windows the path is held wide, so a user name such as "Jürgen" survives;
// use .u8string() for UTF-8.
std::filesystem::path UserDir(UserFolder which);

}  // namespace tracker

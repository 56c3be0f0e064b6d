#include "base/user_dirs.h"

#include <cstdlib>

namespace tracker {
namespace {

constexpr const char* kFolderName = "tracker-editor";

#ifdef _WIN32
// The variable as the system holds it (UTF-16); empty when unset.
std::filesystem::path FromEnvironment(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}
#else
std::filesystem::path FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}
#endif

std::filesystem::path BaseDir(UserFolder which) {
#ifdef _WIN32
  return FromEnvironment(which == UserFolder::Config ? L"APPDATA" : L"LOCALAPPDATA");
#else
  // A relative value is invalid by the XDG rules and ignored.
  std::filesystem::path base =
      FromEnvironment(which == UserFolder::Config ? "XDG_CONFIG_HOME" : "XDG_DATA_HOME");
  if (base.is_absolute()) return base;
  const std::filesystem::path home = FromEnvironment("HOME");
  if (home.empty()) return {};
  return which == UserFolder::Config ? home / ".config" : home / ".local" / "share";
#endif
}

}  // namespace

std::filesystem::path UserDir(UserFolder which) {
  const std::filesystem::path base = BaseDir(which);
  if (base.empty()) return {};
  return base / kFolderName;
}

}  // namespace tracker

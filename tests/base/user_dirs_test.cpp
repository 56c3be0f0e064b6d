// The per-user folders follow the environment the way the desktop expects.

#include "base/user_dirs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace tracker {
namespace {

// Sets (or, with nullopt, removes) a variable for the test, restoring it after.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    set(value);
  }
  ~ScopedEnv() { set(old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void set(const std::optional<std::string>& value) {
#ifdef _WIN32
    _putenv_s(name_, value ? value->c_str() : "");
#else
    if (value)
      setenv(name_, value->c_str(), 1);
    else
      unsetenv(name_);
#endif
  }
  const char* name_;
  std::optional<std::string> old_;
};

#ifdef _WIN32
TEST(UserDir, RoamingSettingsAndLocalDataUnderTheProfile) {
  const ScopedEnv appData("APPDATA", "C:\\Users\\J\xC3\xBCrgen\\AppData\\Roaming");
  const ScopedEnv localAppData("LOCALAPPDATA", "C:\\Users\\J\xC3\xBCrgen\\AppData\\Local");
  // _putenv_s takes the process code page; what matters is that it round-trips.
  EXPECT_EQ(UserDir(UserFolder::Config).filename().string(), "tracker-editor");
  EXPECT_EQ(UserDir(UserFolder::Config).parent_path().filename().string(), "Roaming");
  EXPECT_EQ(UserDir(UserFolder::Data).parent_path().filename().string(), "Local");
}
#else
TEST(UserDir, XdgFoldersWithHomeAsFallback) {
  const ScopedEnv home("HOME", "/home/j\xC3\xBCrgen");
  {
    const ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    const ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(UserDir(UserFolder::Config), "/cfg/tracker-editor");
    EXPECT_EQ(UserDir(UserFolder::Data), "/data/tracker-editor");
  }
  {
    // Unset and relative values alike fall back to the home folder.
    const ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    const ScopedEnv data("XDG_DATA_HOME", "relative");
    EXPECT_EQ(UserDir(UserFolder::Config), "/home/j\xC3\xBCrgen/.config/tracker-editor");
    EXPECT_EQ(UserDir(UserFolder::Data), "/home/j\xC3\xBCrgen/.local/share/tracker-editor");
  }
  const ScopedEnv noHome("HOME", std::nullopt);
  const ScopedEnv noConfig("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_TRUE(UserDir(UserFolder::Config).empty());
}
#endif

}  // namespace
}  // namespace tracker

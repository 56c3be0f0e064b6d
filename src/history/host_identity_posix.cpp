// Host and user names on POSIX systems.

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

#include "history/history_db.h"

namespace tracker {

std::string HostName() {
  std::array<char, 256> name{};
  if (gethostname(name.data(), name.size() - 1) != 0) return {};
  return name.data();
}

// The ports of one call record from their own threads: getpwuid_r, not the
// shared buffer of getpwuid.
std::string UserName() {
  std::array<char, 4096> buffer{};
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_name != nullptr) {
    return found->pw_name;
  }
  const char* user = std::getenv("USER");
  return user != nullptr ? user : "";
}

}  // namespace tracker

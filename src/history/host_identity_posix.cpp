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

std::string UserName() {
  if (const passwd* entry = getpwuid(geteuid()); entry != nullptr && entry->pw_name != nullptr) {
    return entry->pw_name;
  }
  const char* user = std::getenv("USER");
  return user != nullptr ? user : "";
}

}  // namespace tracker

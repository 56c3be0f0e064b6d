// Host and user names on Windows, wide at the calls.

#include <windows.h>

#include <array>

#include "base/win32/wide_text.h"
#include "history/history_db.h"

namespace tracker {

std::string HostName() {
  std::array<wchar_t, MAX_COMPUTERNAME_LENGTH + 1> name{};
  DWORD size = static_cast<DWORD>(name.size());
  if (GetComputerNameW(name.data(), &size) == 0) return {};
  return Utf8FromWide(std::wstring_view(name.data(), size));
}

std::string UserName() {
  std::array<wchar_t, 257> name{};
  DWORD size = static_cast<DWORD>(name.size());
  if (GetUserNameW(name.data(), &size) == 0 || size == 0) return {};
  return Utf8FromWide(std::wstring_view(name.data(), size - 1));  // size counts the NUL
}

}  // namespace tracker

#include <windows.h>

#include <stdexcept>
#include <system_error>

#include "app/cli/append_file.h"
#include "base/win32/wide_text.h"

namespace tracker::cli {
namespace {

std::string LastError() {
  return std::system_category().message(static_cast<int>(GetLastError()));
}

}  // namespace

// FILE_APPEND_DATA alone: every write goes to the end of the file at once.
void AppendToFile(const std::string& path, std::string_view bytes) {
  HANDLE file =
      CreateFileW(WideFromUtf8(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    throw std::runtime_error("cannot open report " + path + ": " + LastError());
  }
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  const std::string error = ok ? std::string() : LastError();
  CloseHandle(file);
  if (!ok) throw std::runtime_error("cannot write report " + path + ": " + error);
}

}  // namespace tracker::cli

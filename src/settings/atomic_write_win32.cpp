#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "base/win32/wide_text.h"
#include "settings/atomic_write.h"

namespace tracker {
namespace {

// Whether the target exists; throws when it is a folder or read-only.
bool CheckTarget(const std::string& path, const std::wstring& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) {
    throw EIniWriteError(path);
  }
  return true;
}

// A new file beside the target, open for writing; deleted unless kept.
class TempFile {
 public:
  explicit TempFile(const std::wstring& target) {
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? target : target.substr(slash + 1);
    path_ = folder + L"." + name + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter++) + L".tmp";
    handle_ = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    close();
    if (created() && !kept_) DeleteFileW(path_.c_str());
  }

  bool created() const { return handle_ != INVALID_HANDLE_VALUE || closed_; }
  // Writes everything and flushes it to the disk.
  bool write(std::string_view bytes) {
    while (!bytes.empty()) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
      if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
      bytes.remove_prefix(written);
    }
    return FlushFileBuffers(handle_) != 0;
  }
  bool close() {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    const bool ok = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    closed_ = true;
    return ok;
  }
  const std::wstring& path() const { return path_; }
  void keep() { kept_ = true; }

 private:
  std::wstring path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool closed_ = false;
  bool kept_ = false;
};

// Puts the written file in the target's place in one step. ReplaceFileW keeps
// the target's attributes and security; MoveFileExW serves a new target and
// the file systems where replacing is not supported.
bool Replace(const std::wstring& target, const std::wstring& temp, bool exists) {
  if (exists && ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                             nullptr, nullptr)) {
    return true;
  }
  return MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

EIniWriteError::EIniWriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path) {}

void CheckWritable(const std::string& path) {
  const std::wstring target = WideFromUtf8(path);
  CheckTarget(path, target);
  const TempFile probe(target);
  if (!probe.created()) throw EIniWriteError(path);
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::wstring target = WideFromUtf8(path);
  const bool exists = CheckTarget(path, target);
  TempFile temp(target);
  if (!temp.created()) throw EIniWriteError(path);
  bool ok = temp.write(bytes);
  ok = temp.close() && ok;
  ok = ok && Replace(target, temp.path(), exists);
  if (!ok) throw EIniWriteError(path);
  temp.keep();
}

}  // namespace tracker

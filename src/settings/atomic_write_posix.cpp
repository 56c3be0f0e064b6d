#include "settings/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

namespace tracker {
namespace {

namespace fs = std::filesystem;

// The process's file-creation mask, read without changing it.
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0)
      return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
  }
  return 022;
}

// A symbolic link is followed, so that the file it names is replaced, not the link.
fs::path ResolveTarget(const std::string& path) {
  std::error_code error;
  if (fs::is_symlink(path, error)) {
    fs::path resolved = fs::weakly_canonical(path, error);
    if (!error) return resolved;
  }
  return path;
}

// Removes the temporary file unless the rename has taken it over.
class TempFile {
 public:
  explicit TempFile(const std::string& pathTemplate) {
    std::vector<char> buffer(pathTemplate.begin(), pathTemplate.end());
    buffer.push_back('\0');
    fd_ = ::mkstemp(buffer.data());
    created_ = fd_ >= 0;
    path_ = buffer.data();
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (created_ && !kept_) ::unlink(path_.c_str());
  }

  bool created() const { return created_; }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void keep() { kept_ = true; }

 private:
  std::string path_;
  int fd_ = -1;
  bool created_ = false;
  bool kept_ = false;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Whether the target exists; throws when it is a folder or read-only.
bool StatTarget(const std::string& path, const fs::path& target, struct stat& existing) {
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists) {
    const bool readOnly = (existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0;
    if (S_ISDIR(existing.st_mode) || readOnly) throw EIniWriteError(path);
  }
  return exists;
}

fs::path TempTemplate(const fs::path& target) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  return folder / ("." + target.filename().string() + ".XXXXXX");
}

}  // namespace

EIniWriteError::EIniWriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path) {}

void CheckWritable(const std::string& path) {
  const fs::path target = ResolveTarget(path);
  struct stat existing {};
  StatTarget(path, target, existing);
  const TempFile probe(TempTemplate(target).string());
  if (!probe.created()) throw EIniWriteError(path);
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const fs::path target = ResolveTarget(path);
  struct stat existing {};
  const bool exists = StatTarget(path, target, existing);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  TempFile temp(TempTemplate(target).string());
  if (!temp.created()) throw EIniWriteError(path);

  const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~CurrentUmask());
  bool ok = WriteAll(temp.fd(), bytes) && ::fchmod(temp.fd(), mode) == 0;
  if (ok && exists && ::fchown(temp.fd(), existing.st_uid, existing.st_gid) != 0) {
    // Only the owner may change; a file we cannot give back keeps our ownership.
  }
  ok = ok && ::fsync(temp.fd()) == 0;
  ok = temp.close() && ok;
  ok = ok && ::rename(temp.path().c_str(), target.c_str()) == 0;
  if (!ok) throw EIniWriteError(path);
  temp.keep();
  SyncFolder(folder);
}

}  // namespace tracker

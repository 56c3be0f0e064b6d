#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "app/cli/append_file.h"

namespace tracker::cli {

void AppendToFile(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot open report " + path + ": " + std::strerror(errno));
  const ssize_t written = ::write(fd, bytes.data(), bytes.size());
  const bool ok = written == static_cast<ssize_t>(bytes.size());
  const int error = errno;
  ::close(fd);
  if (!ok) throw std::runtime_error("cannot write report " + path + ": " + std::strerror(error));
}

}  // namespace tracker::cli

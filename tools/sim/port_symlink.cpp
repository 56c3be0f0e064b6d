#include "sim/port_symlink.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tracker::sim {

PortSymlink::PortSymlink(const std::optional<std::string>& path, const std::string& target) {
  if (!path) return;
  if (symlink(target.c_str(), path->c_str()) != 0) {
    throw std::runtime_error("cannot link " + *path + " to " + target + ": " +
                             std::strerror(errno));
  }
  path_ = path;
}

PortSymlink::~PortSymlink() {
  if (path_) unlink(path_->c_str());
}

}  // namespace tracker::sim

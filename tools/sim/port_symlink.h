#pragma once

#include <optional>
#include <string>

namespace tracker::sim {

// A symbolic link to the port for as long as the simulator serves, so that a
// test can watch a folder of its own for trackers appearing. An existing file
// at the path is never replaced.
class PortSymlink {
 public:
  // Throws std::runtime_error when the link cannot be made.
  PortSymlink(const std::optional<std::string>& path, const std::string& target);
  ~PortSymlink();
  PortSymlink(const PortSymlink&) = delete;
  PortSymlink& operator=(const PortSymlink&) = delete;

 private:
  std::optional<std::string> path_;
};

}  // namespace tracker::sim

#pragma once
// Replacing a file in one step, so that a failed save leaves the old file whole.

#include <stdexcept>
#include <string>
#include <string_view>

namespace tracker {

// Raised when a settings file cannot be written; the message is the one the
// user sees: "Unable to write to <path>".
class EIniWriteError : public std::runtime_error {
 public:
  explicit EIniWriteError(const std::string& path);
};

// Writes the bytes to a temporary file in the target's folder, flushes it to
// disk and renames it over the target. An existing target keeps its
// permissions (and, where allowed, its owner); a target without any write
// permission counts as read-only and is refused. On any failure the temporary
// file is removed, the target is untouched and EIniWriteError is thrown.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Throws EIniWriteError unless WriteFileAtomically could replace the file now:
// its folder takes a new file and the file, if there, is writable.
void CheckWritable(const std::string& path);

}  // namespace tracker

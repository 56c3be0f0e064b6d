#pragma once
// Appends bytes to a file in one write, so that lines from several programs
// appending to the same file never interleave.

#include <string>
#include <string_view>

namespace tracker::cli {

// Creates the file when missing. Throws std::runtime_error naming the file.
void AppendToFile(const std::string& path, std::string_view bytes);

}  // namespace tracker::cli

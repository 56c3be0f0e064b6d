#pragma once
// File names are UTF-8 strings inside the program; the file system takes them
// as paths (UTF-16 on Windows, so that "Jürgen" survives the ANSI code page).

#include <filesystem>
#include <string>
#include <string_view>

namespace tracker {

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace tracker

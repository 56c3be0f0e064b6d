#pragma once
// UTF-8 inside the program, UTF-16 at the Win32 calls.

#include <string>
#include <string_view>

namespace tracker {

// Invalid sequences become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace tracker

#pragma once
// Texts travel to the tracker as single-byte Latin-1 characters: one character,
// one byte. The window's texts are UTF-8.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tracker {

// UTF-8 text to Latin-1 bytes; a character outside Latin-1 (or a malformed
// sequence) becomes '?'.
std::vector<std::uint8_t> ToLatin1(std::string_view utf8);

// Latin-1 bytes to UTF-8 text.
std::string FromLatin1(const std::uint8_t* bytes, std::size_t count);
std::string FromLatin1(std::string_view bytes);

// Number of characters (code points) of a UTF-8 text.
std::size_t Utf8Length(std::string_view utf8);

}  // namespace tracker

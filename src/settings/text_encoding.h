#pragma once
// How values travel between the window's UTF-8 texts and the bytes of a
// settings file. The older Windows editor reads and writes the file as
// Windows-1252, so that is what we write whenever it can hold the text.

#include <optional>
#include <string>
#include <string_view>

namespace tracker {

// Whether the bytes form valid UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined
// map to the control characters of the same number, as Windows does.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252 bytes; nothing when a character has no Windows-1252
// byte or the text is not valid UTF-8.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// A value's bytes to text: UTF-8 when the value holds non-ASCII bytes that
// form valid UTF-8, otherwise Windows-1252.
std::string DecodeIniValue(std::string_view bytes);

// A text to a value's bytes: Windows-1252 when that reads back as the same
// text, otherwise the UTF-8 bytes unchanged.
std::string EncodeIniValue(std::string_view utf8);

// The first count characters (code points) of a UTF-8 text.
std::string_view Utf8Prefix(std::string_view utf8, std::size_t count);

}  // namespace tracker

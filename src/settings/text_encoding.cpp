#include "settings/text_encoding.h"

#include <array>
#include <cstdint>

namespace tracker {
namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Cp1252Char(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<unsigned char> Cp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Length of the valid UTF-8 sequence at bytes[pos] and its code point; 0 when
// the sequence is malformed.
std::size_t DecodeOne(std::string_view bytes, std::size_t pos, char32_t& cp) {
  const auto lead = static_cast<unsigned char>(bytes[pos]);
  if (lead < 0x80) {
    cp = lead;
    return 1;
  }
  std::size_t length = 0;
  char32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, cp = lead & 0x07;
  } else {
    return 0;
  }
  if (pos + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[pos + i]);
    if ((next & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

bool HasNonAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = DecodeOne(bytes, pos, cp);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) AppendUtf8(out, Cp1252Char(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  char32_t cp = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t length = DecodeOne(utf8, pos, cp);
    if (length == 0) return std::nullopt;
    const auto byte = Cp1252Byte(cp);
    if (!byte) return std::nullopt;
    out.push_back(static_cast<char>(*byte));
    pos += length;
  }
  return out;
}

std::string DecodeIniValue(std::string_view bytes) {
  if (!HasNonAscii(bytes)) return std::string(bytes);
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return Cp1252ToUtf8(bytes);
}

std::string EncodeIniValue(std::string_view utf8) {
  // ASCII is the same in both encodings: most values, and no conversion.
  if (!HasNonAscii(utf8)) return std::string(utf8);
  // A Windows-1252 text that happens to form valid UTF-8 ("Ã©") would read back
  // as something else; such a text keeps its UTF-8 bytes instead.
  const auto cp1252 = Utf8ToCp1252(utf8);
  if (cp1252 && DecodeIniValue(*cp1252) == utf8) return *cp1252;
  return std::string(utf8);
}

std::string_view Utf8Prefix(std::string_view utf8, std::size_t count) {
  std::size_t pos = 0;
  char32_t cp = 0;
  for (std::size_t n = 0; n < count && pos < utf8.size(); ++n) {
    const std::size_t length = DecodeOne(utf8, pos, cp);
    pos += length == 0 ? 1 : length;
  }
  return utf8.substr(0, pos);
}

}  // namespace tracker

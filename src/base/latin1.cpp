#include "base/latin1.h"

namespace tracker {
namespace {

// Decodes one UTF-8 sequence at text[pos]; returns the code point and advances
// pos. Malformed input yields 0xFFFD for one byte.
char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  int extra = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    ++pos;
    return 0xFFFD;
  }
  if (pos + extra >= text.size()) {
    ++pos;
    return 0xFFFD;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto c = static_cast<unsigned char>(text[pos + i]);
    if ((c & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  pos += extra + 1;
  return cp;
}

}  // namespace

std::vector<std::uint8_t> ToLatin1(std::string_view utf8) {
  std::vector<std::uint8_t> out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = decodeUtf8(utf8, pos);
    out.push_back(cp <= 0xFF ? static_cast<std::uint8_t>(cp) : static_cast<std::uint8_t>('?'));
  }
  return out;
}

std::string FromLatin1(const std::uint8_t* bytes, std::size_t count) {
  std::string out;
  out.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t b = bytes[i];
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
    } else {
      out.push_back(static_cast<char>(0xC0 | (b >> 6)));
      out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
  return out;
}

std::string FromLatin1(std::string_view bytes) {
  return FromLatin1(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::size_t Utf8Length(std::string_view utf8) {
  std::size_t count = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    decodeUtf8(utf8, pos);
    ++count;
  }
  return count;
}

}  // namespace tracker

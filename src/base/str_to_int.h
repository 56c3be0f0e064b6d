#pragma once
// The one string-to-integer conversion every encoder and builder uses.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tracker {

// Raised when a text is not a valid integer; the message is the one the user sees.
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const std::string& text);

 protected:
  // For refusals that say more than "not a valid integer value".
  struct WholeMessage {};
  EConvertError(WholeMessage, const std::string& message);
};

// Optional leading spaces, one optional sign, decimal digits, signed 32-bit range.
// Anything else (empty text, letters, trailing characters, overflow) throws
// EConvertError with "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

}  // namespace tracker

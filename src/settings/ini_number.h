#pragma once
// How a position or flag value of a settings file is read as an integer.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tracker {

// A text longer than two characters that starts with "0x" or "0X" is
// hexadecimal (up to FFFFFFFF, wrapping to signed); otherwise optional leading
// spaces, one optional sign and decimal digits in the signed 32-bit range.
// Anything else, the empty text included, gives nothing.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

}  // namespace tracker

#pragma once
// SHA-256 of a byte string, as 64 lower-case hexadecimal digits: names the
// exact settings file a write sent.

#include <string>
#include <string_view>

namespace tracker {

std::string Sha256Hex(std::string_view bytes);

}  // namespace tracker

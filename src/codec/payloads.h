#pragma once
// The payloads that belong to no parameter group, built from the controls.

#include <cstdint>
#include <string_view>

#include "protocol/frame.h"
#include "ui/controls.h"

namespace tracker {

// 0x01 and the four characters of AuthCode when it has exactly four,
// otherwise 0x01 FF FF FF FF.
Bytes AuthPayload(const Controls& controls);

// The RFID_Memo text, one byte a character, lines separated by CR LF.
// A list too long for one frame throws EPayloadTooLong.
Bytes MemoPayload(const Controls& controls);

// The Mileage text (metres, digits only) as an unsigned 32-bit number, least
// significant byte first. Another text throws EFieldError naming the range.
inline constexpr std::string_view kMileageRange = "0\u20134294967295";
Bytes MileagePayload(const Controls& controls);

// Temperature sensor pair/delete: empty (delete all), the first character of
// Temp_Index (delete one), or that character, "," and up to 16 characters of
// Temp_Name (pair).
Bytes TempSensorPayload(const Controls& controls);

// WiFi list read: first entry index and entry count.
Bytes WifiReadPayload(std::uint8_t first, std::uint8_t count);

}  // namespace tracker

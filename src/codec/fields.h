#pragma once
// The field encodings of the parameter groups, as pure byte conversions.
// Writing turns a control's text (or selection, or check) into the field's
// bytes; reading turns the bytes back into what the control shows. A text
// that is not exactly in the field's format, or whose value the field cannot
// hold, throws EFieldError naming the allowed range; nothing wraps or is cut.
// Whatever bytes are read show as a text that writes back the same bytes.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tracker {

// Little-endian helpers for numbers inside parameter blocks.
void PutU16le(std::span<std::uint8_t> out, std::uint16_t value);
std::uint16_t GetU16le(std::span<const std::uint8_t> in);
void PutU32le(std::span<std::uint8_t> out, std::uint32_t value);
std::uint32_t GetU32le(std::span<const std::uint8_t> in);

// A decimal number scaled by 10^scale ("11.4" at scale 2 is 1140) within
// [min, max]. The text is one optional sign, one or more digits, then
// optionally a dot and at most `scale` digits; anything else is refused.
std::int64_t ScaledFromText(std::string_view text, std::int64_t min, std::int64_t max, int scale);
std::string ScaledToText(std::int64_t value, int scale);               // 1140 at scale 2: "11.40"
std::string RangeText(std::int64_t min, std::int64_t max, int scale);  // "0–255"

// text(N): Latin-1, padded with 0x00; no terminator when full. A text with
// more characters than the field holds is refused.
void WriteText(std::string_view text, std::span<std::uint8_t> out);
// Up to the first 0x00 or the end of the field.
std::string ReadText(std::span<const std::uint8_t> in);
// WiFi texts also stop at 0xFF (an erased field reads as empty).
std::string ReadWifiText(std::span<const std::uint8_t> in);

// u16le / u8 / u32le: unsigned whole numbers of the field's width.
std::uint16_t U16FromText(std::string_view text);
std::uint8_t U8FromText(std::string_view text);
std::uint32_t U32FromText(std::string_view text);
std::string UnsignedToText(std::uint32_t value);

// volt100: hundredths of a volt ("11.4" → 1140; shown as "11.40"), 0.00–655.35.
std::uint16_t Volt100FromText(std::string_view text);
std::string Volt100ToText(std::uint16_t value);

// hhmm: minutes, shown as hours ":" two-digit minutes; empty text ↔ 0xFFFF.
inline constexpr std::uint16_t kNoTime = 0xFFFF;
std::uint16_t HhmmFromText(std::string_view text);
std::string HhmmToText(std::uint16_t value);
std::string HhmmRange();

// sensor-id: exactly 16 hexadecimal digits ↔ 8 bytes, or empty ↔ eight zero
// bytes. All-zero and all-0xFF bytes read as empty.
using SensorId = std::array<std::uint8_t, 8>;
SensorId SensorIdFromText(std::string_view text);
std::string SensorIdToText(std::span<const std::uint8_t> in);

// temp10: tenths of a degree, sign in bit 15; empty text ↔ 0xFFFF, so the
// range is -3276.6 to 3276.7. "-0.0" is 0x8000.
inline constexpr std::uint16_t kNoTemperature = 0xFFFF;
std::uint16_t Temp10FromText(std::string_view text);
std::string Temp10ToText(std::uint16_t value);
std::string Temp10Range();

// i32le: a signed 32-bit number.
std::int32_t I32FromText(std::string_view text);
std::string SignedToText(std::int32_t value);

// The SMS time zone: the edit holds minutes, the wire carries seconds. A
// number of seconds that is not whole minutes shows as minutes ":" seconds.
std::int32_t TimeZoneFromText(std::string_view text);
std::string TimeZoneToText(std::int32_t seconds);
std::string TimeZoneRange();

// deg6: millionths of a degree; "-114.057865" ↔ −114057865.
std::int32_t Deg6FromText(std::string_view text);
// deg6 of a latitude (±90) and a longitude (±180).
std::int32_t LatitudeFromText(std::string_view text);
std::int32_t LongitudeFromText(std::string_view text);
std::string Deg6ToText(std::int32_t value);

}  // namespace tracker

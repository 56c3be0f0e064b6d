#pragma once
// The field encodings of the parameter groups, as pure byte conversions.
// Writing turns a control's text (or selection, or check) into the field's
// bytes; reading turns the bytes back into what the control shows. Every
// number conversion goes through StrToInt, so a bad text raises EConvertError.
// Numbers too large for their field wrap to its width.

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

// text(N): Latin-1, cut to the field, padded with 0x00; no terminator when full.
void WriteText(std::string_view text, std::span<std::uint8_t> out);
// Up to the first 0x00 or the end of the field.
std::string ReadText(std::span<const std::uint8_t> in);
// WiFi texts also stop at 0xFF (an erased field reads as empty).
std::string ReadWifiText(std::span<const std::uint8_t> in);

// u16le / u8: the converted text, low 16 or 8 bits.
std::uint16_t U16FromText(std::string_view text);
std::uint8_t U8FromText(std::string_view text);
std::string UnsignedToText(std::uint32_t value);

// index: the selected position; no selection (-1) is 0xFF.
std::uint8_t IndexToByte(int itemIndex);

// volt100: hundredths of a volt ("11.4" → 1140; shown as "11.40").
std::uint16_t Volt100FromText(std::string_view text);
std::string Volt100ToText(std::uint16_t value);

// hhmm: minutes after midnight; empty text ↔ 0xFFFF.
inline constexpr std::uint16_t kNoTime = 0xFFFF;
std::uint16_t HhmmFromText(std::string_view text);
std::string HhmmToText(std::uint16_t value);

// sensor-id: 16 hexadecimal-ish characters ↔ 8 bytes; any other length gives
// eight zero bytes, and seven or eight zero bytes read as an empty text.
using SensorId = std::array<std::uint8_t, 8>;
SensorId SensorIdFromText(std::string_view text);
std::string SensorIdToText(std::span<const std::uint8_t> in);

// temp10: tenths of a degree, sign in bit 15; empty text ↔ 0xFFFF.
inline constexpr std::uint16_t kNoTemperature = 0xFFFF;
std::uint16_t Temp10FromText(std::string_view text);
std::string Temp10ToText(std::uint16_t value);

// i32le: a signed 32-bit number.
std::int32_t I32FromText(std::string_view text);
std::string SignedToText(std::int32_t value);

// The SMS time zone: the edit holds minutes, the wire carries seconds.
std::int32_t TimeZoneFromText(std::string_view text);
std::string TimeZoneToText(std::int32_t seconds);

// deg6: millionths of a degree; "-114.057865" ↔ −114057865.
std::int32_t Deg6FromText(std::string_view text);
std::string Deg6ToText(std::int32_t value);

}  // namespace tracker

#include "codec/encodings.h"

#include <algorithm>

#include "base/field_error.h"
#include "codec/fields.h"
#include "ui/list_values.h"

namespace tracker::encoding {
namespace {

using Bytes = std::span<std::uint8_t>;
using ConstBytes = std::span<const std::uint8_t>;
using Staged = std::vector<StagedValue>;

void stageText(const Field& f, Staged& staged, std::string text) {
  staged.push_back({&f.control, StagedValue::Kind::Text, std::move(text)});
}

// Runs a conversion of the field's text; a refusal gets the control's name.
template <typename Convert>
auto fromText(const Field& f, const Controls& c, Convert convert) {
  try {
    return convert(c.text(f.control));
  } catch (const EFieldError& e) {
    throw e.named(f.control);
  }
}

// Text fields.
void writeText(const Field& f, const Controls& c, Bytes out) {
  fromText(f, c, [out](const std::string& text) {
    WriteText(text, out);
    return 0;
  });
}
void readText(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, ReadText(in));
}
void readWifiText(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, ReadWifiText(in));
}

// Numbers: Wire-sized little-endian values, converted to and from the
// control's text by Parse and Show.
template <typename Wire, auto Parse, auto Show>
struct Number {
  static void write(const Field& f, const Controls& c, Bytes out) {
    const auto value =
        static_cast<Wire>(fromText(f, c, [](const std::string& t) { return Parse(t); }));
    for (std::size_t i = 0; i < sizeof(Wire); ++i) {
      out[i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
    }
  }
  static void read(const Field& f, ConstBytes in, Staged& s) {
    std::uint64_t value = 0;
    for (std::size_t i = sizeof(Wire); i-- > 0;) value = value << 8 | in[i];
    stageText(f, s, Show(static_cast<Wire>(value)));
  }
};

using U16 = Number<std::uint16_t, U16FromText, UnsignedToText>;
using U8 = Number<std::uint8_t, U8FromText, UnsignedToText>;
using I32 = Number<std::uint32_t, I32FromText, SignedToText>;
using U32 = Number<std::uint32_t, U32FromText, UnsignedToText>;
using TimeZone = Number<std::uint32_t, TimeZoneFromText, TimeZoneToText>;
using Latitude = Number<std::uint32_t, LatitudeFromText, Deg6ToText>;
using Longitude = Number<std::uint32_t, LongitudeFromText, Deg6ToText>;
using Volt100 = Number<std::uint16_t, Volt100FromText, Volt100ToText>;
using Hhmm = Number<std::uint16_t, HhmmFromText, HhmmToText>;
using Temp10 = Number<std::uint16_t, Temp10FromText, Temp10ToText>;

void writeSensorId(const Field& f, const Controls& c, Bytes out) {
  const SensorId id = fromText(f, c, [](const std::string& t) { return SensorIdFromText(t); });
  std::copy(id.begin(), id.end(), out.begin());
}
void readSensorId(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, SensorIdToText(in));
}

// Selections: a value the list does not know is kept as its number.
void writeIndex(const Field& f, const Controls& c, Bytes out) {
  const int value = ListValue(c, f.control);
  if (value == kNoListValue) {
    out[0] = kNoSelectionByte;
    return;
  }
  if (value >= kNoSelectionByte) {
    throw EFieldError(
        std::to_string(value) + " is out of range " + RangeText(0, kNoSelectionByte - 1, 0),
        f.control);
  }
  out[0] = static_cast<std::uint8_t>(value);
}
void readIndex(const Field& f, ConstBytes in, Staged& s) {
  s.push_back({&f.control, StagedValue::Kind::Index, {}, in[0]});
}
// Several checks share a flag byte or word: each ORs in its own bit.
void writeFlag(const Field& f, const Controls& c, Bytes out) {
  if (c.checked(f.control)) out[f.bit / 8] |= static_cast<std::uint8_t>(1u << (f.bit % 8));
}
void readFlag(const Field& f, ConstBytes in, Staged& s) {
  const bool set = (in[f.bit / 8] >> (f.bit % 8)) & 1u;
  s.push_back({&f.control, StagedValue::Kind::Check, {}, set ? 1 : 0});
}

void writeFixed(const Field& f, const Controls&, Bytes out) {
  std::fill(out.begin(), out.end(), f.fill);
}

// Ranges, as the writes check them.
template <std::int64_t Min, std::int64_t Max, int Scale>
std::string range(const Field&) {
  return RangeText(Min, Max, Scale);
}
std::string hhmmRange(const Field&) {
  return HhmmRange();
}
std::string temp10Range(const Field&) {
  return Temp10Range();
}
std::string timeZoneRange(const Field&) {
  return TimeZoneRange();
}

}  // namespace

const Encoding kText{writeText, readText};
const Encoding kWifiText{writeText, readWifiText};
const Encoding kU16{U16::write, U16::read, range<0, 0xFFFF, 0>};
const Encoding kU8{U8::write, U8::read, range<0, 0xFF, 0>};
const Encoding kIndex{writeIndex, readIndex};
const Encoding kVolt100{Volt100::write, Volt100::read, range<0, 0xFFFF, 2>};
const Encoding kHhmm{Hhmm::write, Hhmm::read, hhmmRange};
const Encoding kSensorId{writeSensorId, readSensorId};
const Encoding kTemp10{Temp10::write, Temp10::read, temp10Range};
const Encoding kI32{I32::write, I32::read, range<INT32_MIN, INT32_MAX, 0>};
const Encoding kU32{U32::write, U32::read, range<0, 0xFFFFFFFF, 0>};
const Encoding kTimeZone{TimeZone::write, TimeZone::read, timeZoneRange};
const Encoding kLatitude{Latitude::write, Latitude::read, range<-90000000, 90000000, 6>};
const Encoding kLongitude{Longitude::write, Longitude::read, range<-180000000, 180000000, 6>};
const Encoding kFlag{writeFlag, readFlag};
const Encoding kFixed{writeFixed, nullptr};

}  // namespace tracker::encoding

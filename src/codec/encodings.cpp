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

// Numbers.
void writeU16(const Field& f, const Controls& c, Bytes out) {
  PutU16le(out, fromText(f, c, [](const std::string& t) { return U16FromText(t); }));
}
void readU16(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, UnsignedToText(GetU16le(in)));
}
void writeU8(const Field& f, const Controls& c, Bytes out) {
  out[0] = fromText(f, c, [](const std::string& t) { return U8FromText(t); });
}
void readU8(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, UnsignedToText(in[0]));
}
void writeI32(const Field& f, const Controls& c, Bytes out) {
  PutU32le(out, static_cast<std::uint32_t>(
                    fromText(f, c, [](const std::string& t) { return I32FromText(t); })));
}
void readI32(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, SignedToText(static_cast<std::int32_t>(GetU32le(in))));
}
void writeU32(const Field& f, const Controls& c, Bytes out) {
  PutU32le(out, fromText(f, c, [](const std::string& t) { return U32FromText(t); }));
}
void readU32(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, UnsignedToText(GetU32le(in)));
}
void writeTimeZone(const Field& f, const Controls& c, Bytes out) {
  PutU32le(out, static_cast<std::uint32_t>(
                    fromText(f, c, [](const std::string& t) { return TimeZoneFromText(t); })));
}
void readTimeZone(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, TimeZoneToText(static_cast<std::int32_t>(GetU32le(in))));
}
void writeDeg6(const Field& f, const Controls& c, Bytes out) {
  PutU32le(out, static_cast<std::uint32_t>(
                    fromText(f, c, [](const std::string& t) { return Deg6FromText(t); })));
}
void readDeg6(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, Deg6ToText(static_cast<std::int32_t>(GetU32le(in))));
}
void writeVolt100(const Field& f, const Controls& c, Bytes out) {
  PutU16le(out, fromText(f, c, [](const std::string& t) { return Volt100FromText(t); }));
}
void readVolt100(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, Volt100ToText(GetU16le(in)));
}
void writeHhmm(const Field& f, const Controls& c, Bytes out) {
  PutU16le(out, fromText(f, c, [](const std::string& t) { return HhmmFromText(t); }));
}
void readHhmm(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, HhmmToText(GetU16le(in)));
}
void writeTemp10(const Field& f, const Controls& c, Bytes out) {
  PutU16le(out, fromText(f, c, [](const std::string& t) { return Temp10FromText(t); }));
}
void readTemp10(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, Temp10ToText(GetU16le(in)));
}
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
const Encoding kU16{writeU16, readU16, range<0, 0xFFFF, 0>};
const Encoding kU8{writeU8, readU8, range<0, 0xFF, 0>};
const Encoding kIndex{writeIndex, readIndex};
const Encoding kVolt100{writeVolt100, readVolt100, range<0, 0xFFFF, 2>};
const Encoding kHhmm{writeHhmm, readHhmm, hhmmRange};
const Encoding kSensorId{writeSensorId, readSensorId};
const Encoding kTemp10{writeTemp10, readTemp10, temp10Range};
const Encoding kI32{writeI32, readI32, range<INT32_MIN, INT32_MAX, 0>};
const Encoding kU32{writeU32, readU32, range<0, 0xFFFFFFFF, 0>};
const Encoding kTimeZone{writeTimeZone, readTimeZone, timeZoneRange};
const Encoding kDeg6{writeDeg6, readDeg6, range<INT32_MIN, INT32_MAX, 6>};
const Encoding kFlag{writeFlag, readFlag};
const Encoding kFixed{writeFixed, nullptr};

}  // namespace tracker::encoding

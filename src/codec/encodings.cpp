#include "codec/encodings.h"

#include <algorithm>

#include "codec/fields.h"

namespace tracker::encoding {
namespace {

using Bytes = std::span<std::uint8_t>;
using ConstBytes = std::span<const std::uint8_t>;
using Staged = std::vector<StagedValue>;

void stageText(const Field& f, Staged& staged, std::string text) {
  staged.push_back({&f.control, StagedValue::Kind::Text, std::move(text)});
}

// Text fields.
void writeText(const Field& f, const Controls& c, Bytes out) {
  WriteText(c.text(f.control), out);
}
void readText(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, ReadText(in));
}
void readWifiText(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, ReadWifiText(in));
}

// Numbers.
void writeU16(const Field& f, const Controls& c, Bytes out) {
  PutU16le(out, U16FromText(c.text(f.control)));
}
void readU16(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, UnsignedToText(GetU16le(in)));
}
void writeU8(const Field& f, const Controls& c, Bytes out) {
  out[0] = U8FromText(c.text(f.control));
}
void readU8(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, UnsignedToText(in[0]));
}
void writeI32(const Field& f, const Controls& c, Bytes out) {
  PutU32le(out, static_cast<std::uint32_t>(I32FromText(c.text(f.control))));
}
void readI32(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, SignedToText(static_cast<std::int32_t>(GetU32le(in))));
}
void readU32(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, UnsignedToText(GetU32le(in)));
}
void writeTimeZone(const Field& f, const Controls& c, Bytes out) {
  PutU32le(out, static_cast<std::uint32_t>(TimeZoneFromText(c.text(f.control))));
}
void readTimeZone(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, TimeZoneToText(static_cast<std::int32_t>(GetU32le(in))));
}
void writeDeg6(const Field& f, const Controls& c, Bytes out) {
  PutU32le(out, static_cast<std::uint32_t>(Deg6FromText(c.text(f.control))));
}
void readDeg6(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, Deg6ToText(static_cast<std::int32_t>(GetU32le(in))));
}
void writeVolt100(const Field& f, const Controls& c, Bytes out) {
  PutU16le(out, Volt100FromText(c.text(f.control)));
}
void readVolt100(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, Volt100ToText(GetU16le(in)));
}
void writeHhmm(const Field& f, const Controls& c, Bytes out) {
  PutU16le(out, HhmmFromText(c.text(f.control)));
}
void readHhmm(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, HhmmToText(GetU16le(in)));
}
void writeTemp10(const Field& f, const Controls& c, Bytes out) {
  PutU16le(out, Temp10FromText(c.text(f.control)));
}
void readTemp10(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, Temp10ToText(GetU16le(in)));
}
void writeSensorId(const Field& f, const Controls& c, Bytes out) {
  const SensorId id = SensorIdFromText(c.text(f.control));
  std::copy(id.begin(), id.end(), out.begin());
}
void readSensorId(const Field& f, ConstBytes in, Staged& s) {
  stageText(f, s, SensorIdToText(in));
}

// Selections and checks.
void writeIndex(const Field& f, const Controls& c, Bytes out) {
  out[0] = IndexToByte(c.itemIndex(f.control));
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
  std::fill(out.begin(), out.end(), f.bit);
}

}  // namespace

const Encoding kText{writeText, readText};
const Encoding kWifiText{writeText, readWifiText};
const Encoding kU16{writeU16, readU16};
const Encoding kU8{writeU8, readU8};
const Encoding kIndex{writeIndex, readIndex};
const Encoding kVolt100{writeVolt100, readVolt100};
const Encoding kHhmm{writeHhmm, readHhmm};
const Encoding kSensorId{writeSensorId, readSensorId};
const Encoding kTemp10{writeTemp10, readTemp10};
const Encoding kI32{writeI32, readI32};
const Encoding kU32{writeI32, readU32};
const Encoding kTimeZone{writeTimeZone, readTimeZone};
const Encoding kDeg6{writeDeg6, readDeg6};
const Encoding kFlag{writeFlag, readFlag};
const Encoding kFixed{writeFixed, nullptr};

}  // namespace tracker::encoding

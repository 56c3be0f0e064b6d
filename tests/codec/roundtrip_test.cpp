// Property: random values within each field's range survive encode → read
// answer frame → decode into a fresh window; short answers change nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/latin1.h"
#include "codec/encodings.h"
#include "codec/fields.h"
#include "codec_harness.h"

namespace tracker {
namespace {

using namespace encoding;

class ValueMaker {
 public:
  explicit ValueMaker(unsigned seed) : rng_(seed) {}

  int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  // Printable Latin-1 (as UTF-8), never 0x00 or 0xFF, up to `width` characters.
  std::string text(int width) {
    std::string s;
    const int n = between(0, width);
    for (int i = 0; i < n; ++i) {
      const int c = between(0, 9) == 0 ? between(0xC0, 0xFE) : between(0x20, 0x7E);
      const std::uint8_t byte = static_cast<std::uint8_t>(c);
      s += FromLatin1(&byte, 1);
    }
    return s;
  }

  // Sets the field's control to a random value the field can carry.
  void set(const Field& f, Controls& c) {
    const Encoding* e = f.encoding;
    if (e == &kFlag) return c.setChecked(f.control, between(0, 1) == 1);
    if (e == &kIndex) return c.setItemIndex(f.control, between(-1, c.itemCount(f.control) - 1));
    c.setText(f.control, textFor(f));
  }

 private:
  std::string textFor(const Field& f) {
    const Encoding* e = f.encoding;
    if (e == &kText || e == &kWifiText) return text(f.width);
    if (e == &kU16) return std::to_string(between(0, 65535));
    if (e == &kU8) return std::to_string(between(0, 255));
    if (e == &kVolt100) return Volt100ToText(static_cast<std::uint16_t>(between(0, 9999)));
    if (e == &kHhmm)
      return between(0, 9) == 0 ? "" : HhmmToText(static_cast<std::uint16_t>(between(0, 5999)));
    if (e == &kTemp10) {
      return between(0, 9) == 0 ? "" : Temp10ToText(static_cast<std::uint16_t>(between(0, 0xFFFE)));
    }
    if (e == &kTimeZone) return TimeZoneToText(between(-35791394, 35791394) * 60);
    if (e == &kU32) return std::to_string(between(0, INT32_MAX));
    if (e == &kLatitude) return Deg6ToText(between(-90000000, 90000000));
    if (e == &kLongitude) return Deg6ToText(between(-180000000, 180000000));
    if (e == &kSensorId) {
      if (between(0, 4) == 0) return "";
      SensorId id;
      for (auto& b : id) b = static_cast<std::uint8_t>(between(1, 255));
      id[static_cast<std::size_t>(between(0, 7))] = 0;
      return SensorIdToText(id);
    }
    ADD_FAILURE() << "no value maker for " << f.control;
    return {};
  }

  std::mt19937 rng_;
};

// What a control shows, by the kind of field it is bound to.
std::string shownValue(const Field& f, const Controls& c) {
  if (f.encoding == &kFlag) return c.checked(f.control) ? "checked" : "clear";
  if (f.encoding == &kIndex) return "#" + std::to_string(c.itemIndex(f.control));
  return c.text(f.control);
}

// The answer data: the encoded payload where the group writes, and the
// read-only fields (the device identifier) laid in by their encoding.
Bytes answerData(Group group, const Controls& source) {
  const GroupSpec& t = SpecOf(group);
  Bytes data(t.read.length, 0x00);
  const Bytes written = EncodeData(group, source);
  std::copy(written.begin(), written.end(), data.begin() + (t.write.offset - t.read.offset));
  for (const Field& f : t.fields) {
    if (f.written() || !f.read()) continue;
    f.encoding->write(f, source, std::span(data).subspan(f.offset - t.read.offset, f.width));
  }
  return data;
}

class GroupRoundTrip : public testing::TestWithParam<Group> {};

TEST_P(GroupRoundTrip, RandomValuesComeBackAsShown) {
  const Group group = GetParam();
  const GroupSpec& table = SpecOf(group);
  for (unsigned seed = 1; seed <= 20; ++seed) {
    ValueMaker maker(seed * 7919u + static_cast<unsigned>(group));
    MemoryControls source;
    for (const Field& f : table.fields) {
      if (!f.control.empty()) maker.set(f, source);
    }
    MemoryControls fresh;
    if (group == Group::Wifi) {
      const Bytes list = EncodePayload(group, source);
      ASSERT_EQ(list.size(), 2048u);
      const Bytes first(list.begin(), list.begin() + 1024), second(list.begin() + 1024, list.end());
      ASSERT_EQ(DecodeWifiAnswer(WifiHalf::First, first, fresh), DecodeResult::Ok);
      ASSERT_EQ(DecodeWifiAnswer(WifiHalf::Second, second, fresh), DecodeResult::Ok);
    } else {
      ASSERT_EQ(DecodeBlockAnswer(group, answerData(group, source), fresh), DecodeResult::Ok);
    }
    for (const Field& f : table.fields) {
      if (f.control.empty() || !f.read()) continue;
      ASSERT_EQ(shownValue(f, fresh), shownValue(f, source)) << f.control << " seed " << seed;
    }
  }
}

TEST_P(GroupRoundTrip, ShortAnswerChangesNoControl) {
  const Group group = GetParam();
  const GroupSpec& table = SpecOf(group);
  MemoryControls controls;
  ValueMaker maker(99);
  for (const Field& f : table.fields) {
    if (!f.control.empty()) maker.set(f, controls);
  }
  const Snapshot before = TakeSnapshot(controls);
  const std::size_t needed =
      group == Group::Wifi ? 1024u : BytesNeeded(table, table.read.offset, table.read.length);
  for (const std::size_t size : {std::size_t{0}, needed / 2, needed - 1}) {
    const Bytes data(size, 0x31);
    const DecodeResult result = group == Group::Wifi
                                    ? DecodeWifiAnswer(WifiHalf::Second, data, controls)
                                    : DecodeBlockAnswer(group, data, controls);
    EXPECT_EQ(result, DecodeResult::TooShort) << size;
    EXPECT_EQ(TakeSnapshot(controls), before) << size;
  }
  // Exactly enough is enough.
  const Bytes data(needed, 0x31);
  EXPECT_EQ(group == Group::Wifi ? DecodeWifiAnswer(WifiHalf::First, data, controls)
                                 : DecodeBlockAnswer(group, data, controls),
            DecodeResult::Ok);
}

// Reads a group's memory (its read window; WiFi: the whole list) into controls.
void ReadMemory(Group group, const Bytes& memory, Controls& controls) {
  if (group == Group::Wifi) {
    ASSERT_EQ(
        DecodeWifiAnswer(WifiHalf::First, Bytes(memory.begin(), memory.begin() + 1024), controls),
        DecodeResult::Ok);
    ASSERT_EQ(
        DecodeWifiAnswer(WifiHalf::Second, Bytes(memory.begin() + 1024, memory.end()), controls),
        DecodeResult::Ok);
    return;
  }
  ASSERT_EQ(DecodeBlockAnswer(group, memory, controls), DecodeResult::Ok);
}

// The bytes of a field that a read and a write must give back: all of a
// number or list, a text up to its end, one bit of a flag byte.
Bytes KeptBytes(const Field& f, std::span<const std::uint8_t> bytes) {
  if (f.encoding == &kFlag)
    return {static_cast<std::uint8_t>((bytes[f.bit / 8] >> (f.bit % 8)) & 1)};
  if (f.encoding == &kText || f.encoding == &kWifiText) {
    std::size_t n = 0;
    while (n < bytes.size() && bytes[n] != 0 && !(f.encoding == &kWifiText && bytes[n] == 0xFF))
      ++n;
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
  }
  if (f.encoding == &kSensorId &&
      std::all_of(bytes.begin(), bytes.end(), [](auto b) { return b == 0xFF; })) {
    return Bytes(8, 0x00);  // erased: no sensor
  }
  return Bytes(bytes.begin(), bytes.end());
}

// A fence centre off the globe is the one value a write refuses whatever the
// tracker holds: random memory keeps its fences on it.
void KeepFencesOnTheGlobe(const GroupSpec& spec, Bytes& memory) {
  for (const Field& f : spec.fields) {
    if (f.encoding != &kLatitude && f.encoding != &kLongitude) continue;
    const auto at = static_cast<std::size_t>(f.offset - spec.read.offset);
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = bits << 8 | memory[at + static_cast<std::size_t>(i)];
    const std::int32_t limit = f.encoding == &kLatitude ? 90000000 : 180000000;
    const std::int32_t value = static_cast<std::int32_t>(bits) % limit;
    for (std::size_t i = 0; i < 4; ++i) {
      memory[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    }
  }
}

// Whatever else the tracker holds, even values the window would refuse if
// typed, is written back as it was read, and reads the same again.
TEST_P(GroupRoundTrip, RandomMemoryReadThenWrittenComesBackUnchanged) {
  const Group group = GetParam();
  const GroupSpec& spec = SpecOf(group);
  std::mt19937 rng(static_cast<unsigned>(group) + 1);
  for (int round = 0; round < 40; ++round) {
    Bytes memory(group == Group::Wifi ? 2048u : spec.read.length);
    for (auto& b : memory) b = static_cast<std::uint8_t>(rng() % (round % 4 == 0 ? 3 : 256));
    if (round % 8 == 1) std::fill(memory.begin(), memory.end(), 0xFF);  // erased
    if (group == Group::Geo) KeepFencesOnTheGlobe(spec, memory);
    MemoryControls first;
    ReadMemory(group, memory, first);
    Bytes written;
    ASSERT_NO_THROW(written = EncodeData(group, first)) << "round " << round;
    const std::size_t shift = spec.write.offset - (group == Group::Wifi ? 0 : spec.read.offset);
    for (const Field& f : spec.fields) {
      if (!f.written() || !f.read()) continue;
      const auto at = f.offset - spec.write.offset;
      EXPECT_EQ(KeptBytes(f, std::span(written).subspan(at, f.width)),
                KeptBytes(f, std::span(memory).subspan(at + shift, f.width)))
          << f.control << " round " << round;
    }
    Bytes again = memory;
    std::copy(written.begin(), written.end(), again.begin() + static_cast<std::ptrdiff_t>(shift));
    MemoryControls second;
    ReadMemory(group, again, second);
    ASSERT_EQ(TakeSnapshot(second), TakeSnapshot(first)) << "round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(AllGroups, GroupRoundTrip, testing::ValuesIn(AllGroups()), GroupTestName);

// Cases fuzzing the decoders found: each read as something that wrote back
// other bytes, or could not be written at all.
struct FoundCase {
  Group group;
  std::uint16_t offset;  // block offset
  Bytes bytes;
  const char* control;
  const char* shown;
};

class FuzzFound : public testing::TestWithParam<FoundCase> {};
TEST_P(FuzzFound, ReadsAndWritesBackTheSameBytes) {
  const auto& c = GetParam();
  const GroupSpec& spec = SpecOf(c.group);
  Bytes memory(spec.read.length, c.group == Group::Geo ? 0xFF : 0x00);  // an erased fence
  std::copy(c.bytes.begin(), c.bytes.end(), memory.begin() + (c.offset - spec.read.offset));
  MemoryControls controls;
  ASSERT_EQ(DecodeBlockAnswer(c.group, memory, controls), DecodeResult::Ok);
  EXPECT_EQ(controls.text(c.control), c.shown);
  Bytes written;
  ASSERT_NO_THROW(written = EncodeData(c.group, controls));
  const auto at = static_cast<std::ptrdiff_t>(c.offset - spec.write.offset);
  EXPECT_EQ(Bytes(written.begin() + at,
                  written.begin() + at + static_cast<std::ptrdiff_t>(c.bytes.size())),
            c.bytes);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, FuzzFound,
    testing::Values(FoundCase{Group::Geo, 17, {0xFF, 0xFF, 0xFF, 0xFF}, "No1Radius", "4294967295"},
                    FoundCase{Group::MainA, 16, {0x31, 0x31}, "LowExtBatAlarm", "125.93"},
                    FoundCase{Group::MainB, 485, {0x31, 0x31}, "AlarmTime1", "209:53"},
                    FoundCase{Group::Sms, 8, {0xE2, 0xFF, 0xFF, 0xFF}, "SMSTimeZone", "-0:30"}));

// The frame is whole but the delivery was cut: the decoder must not read
// beyond the bytes received.
TEST(ShortAnswer, BoundedByTheBytesReceivedToo) {
  MemoryControls controls;
  const Snapshot before = TakeSnapshot(controls);
  const Bytes delivery = Delivery(ReadAnswer(6, 0, Bytes(48, 0x01)));
  const Answer whole = FindAnswer(delivery);
  // The echoed header and one byte short of the fields.
  const Answer cut{.command = whole.command, .payload = whole.payload.first(5 + 34)};
  EXPECT_EQ(Decode(Group::Dlt, AsBlockAnswer(cut)->data, controls), DecodeResult::TooShort);
  EXPECT_EQ(TakeSnapshot(controls), before);
}

}  // namespace
}  // namespace tracker

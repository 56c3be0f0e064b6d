// Each group decoder and the device information over arbitrary answer data.
// A decoder reads only the bytes it was given; a short answer changes
// nothing; what a decoder shows encodes back to bytes that decode to the very
// same window (decode → encode → decode is stable). The device information
// decodes the same way twice.

#include <algorithm>
#include <functional>
#include <string_view>

#include "base/str_to_int.h"
#include "codec/codec.h"
#include "codec/device_info.h"
#include "codec/device_models.h"
#include "codec/encodings.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/snapshot.h"
#include "ui/memory_controls.h"

namespace tracker::fuzz {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kWifiHalfBytes = 1024;

// The answer data a tracker would give after storing the group's write
// payload over the data it answered with before.
Bytes Stored(Group group, const Bytes& before, const Controls& controls, WifiHalf half) {
  const Bytes payload = Encode(group, controls);
  const GroupSpec& spec = SpecOf(group);
  if (!spec.blockHeader) {
    const std::size_t first = half == WifiHalf::First ? 0 : kWifiHalfBytes;
    FUZZ_CHECK(payload.size() >= first + kWifiHalfBytes);
    return Bytes(payload.begin() + static_cast<std::ptrdiff_t>(first),
                 payload.begin() + static_cast<std::ptrdiff_t>(first + kWifiHalfBytes));
  }
  const auto data = std::span<const std::uint8_t>(payload).subspan(5);
  FUZZ_CHECK(spec.write.offset >= spec.read.offset);
  const std::size_t at = spec.write.offset - spec.read.offset;
  Bytes after = before;
  if (after.size() < at + data.size()) after.resize(at + data.size(), 0x00);
  std::copy(data.begin(), data.end(), after.begin() + static_cast<std::ptrdiff_t>(at));
  return after;
}

// Encodings whose text cannot carry every value the bytes can: a voltage above
// 99.99 V, a time past hour 99, a time zone of less than a minute west. The
// first write changes such a value (the edit's format decides); after that
// it stays as it is.
bool Normalises(const Field& field) {
  using namespace encoding;
  return field.encoding == &kVolt100 || field.encoding == &kHhmm || field.encoding == &kTimeZone;
}

// A window with the values of the normalising fields taken from another.
Snapshot WithNormalised(Group group, Snapshot window, const Snapshot& from) {
  for (const Field& field : SpecOf(group).fields) {
    if (!Normalises(field)) continue;
    const auto named = [&](const auto& entry) { return entry.first == field.control; };
    const auto to = std::find_if(window.begin(), window.end(), named);
    const auto value = std::find_if(from.begin(), from.end(), named);
    FUZZ_CHECK(to != window.end() && value != from.end());
    to->second = value->second;
  }
  return window;
}

// What the group's controls hold: a decoder sets texts, items and checks only.
Snapshot GroupSnapshot(Group group, const Controls& controls) {
  Snapshot snapshot;
  snapshot.reserve(SpecOf(group).fields.size());
  for (const Field& field : SpecOf(group).fields) {
    if (field.control.empty()) continue;
    const std::string_view c = field.control;
    snapshot.push_back({c,
                        {.text = controls.text(c),
                         .index = controls.itemIndex(c),
                         .checked = controls.checked(c),
                         .shown = true,
                         .caption = {}}});
  }
  return snapshot;
}

// The group's own controls as the program starts: decoding and encoding a
// group reach no others. Built once per group, copied for each input.
MemoryControls GroupWindow(Group group) {
  static const std::vector<MemoryControls> windows = [] {
    std::vector<MemoryControls> built;
    for (const Group g : AllGroups()) {
      std::vector<std::string> names;
      for (const Field& field : SpecOf(g).fields) {
        if (!field.control.empty()) names.push_back(field.control);
      }
      built.push_back(WindowOf(names));
    }
    return built;
  }();
  const auto at = std::find(AllGroups().begin(), AllGroups().end(), group) - AllGroups().begin();
  return windows[static_cast<std::size_t>(at)];
}

// The device information's controls, the input rows a model shows or hides
// included.
MemoryControls DeviceInfoWindow() {
  static const MemoryControls window = [] {
    std::vector<std::string> names = DeviceInfoControlNames();
    for (int input = 1; input <= kInputCount; ++input) {
      for (std::string name : {InputCaptionLabel(input), InputModeBox(input), InputTimeLabel(input),
                               InputTimeEdit(input), InputTimeUnit(input)})
        names.push_back(std::move(name));
    }
    return WindowOf(names);
  }();
  return window;
}

// What the device information's controls show.
Snapshot DeviceInfoSnapshot(const Controls& controls) {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const ControlSpec& spec : Catalogue()) {
      if (DeviceInfoWindow().has(spec.name)) all.push_back(spec.name);
    }
    return all;
  }();
  Snapshot snapshot;
  snapshot.reserve(names.size());
  for (const std::string& name : names) snapshot.push_back({name, Shown(controls, name)});
  return snapshot;
}

// Decodes the data into a fresh window and returns what the group shows.
Snapshot Decoded(Group group, WifiHalf half, const Bytes& data) {
  MemoryControls controls = GroupWindow(group);
  FUZZ_CHECK(Decode(group, data, controls, half) == DecodeResult::Ok);
  return GroupSnapshot(group, controls);
}

// What the group's controls show as the program starts, made once per group.
const Snapshot& PristineSnapshot(Group group) {
  static const std::vector<Snapshot> snapshots = [] {
    std::vector<Snapshot> all;
    for (const Group g : AllGroups()) all.push_back(GroupSnapshot(g, GroupWindow(g)));
    return all;
  }();
  const auto at = std::find(AllGroups().begin(), AllGroups().end(), group) - AllGroups().begin();
  return snapshots[static_cast<std::size_t>(at)];
}

// Inputs whose hash is a multiple of this store a window that read back the
// same a second time; the others do when the first store changed it.
constexpr std::size_t kSecondStoreSample = 4;

void CheckGroup(Group group, WifiHalf half, const Bytes& data) {
  MemoryControls first = GroupWindow(group);
  if (Decode(group, data, first, half) != DecodeResult::Ok) {
    // A short answer changes nothing.
    CheckSameWindow(PristineSnapshot(group), GroupSnapshot(group, first));
    return;
  }
  const Snapshot decoded = GroupSnapshot(group, first);
  Bytes stored;
  try {
    stored = Stored(group, data, first, half);
  } catch (const EConvertError&) {
    // A value the text shows but the encoder cannot take back (a fence radius
    // above 2^31 - 1): the write is refused with its message, nothing is sent.
    return;
  }
  MemoryControls second = GroupWindow(group);
  FUZZ_CHECK(Decode(group, stored, second, half) == DecodeResult::Ok);
  const Snapshot again = GroupSnapshot(group, second);
  CheckSameWindow(WithNormalised(group, decoded, again), again);
  const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
  if (again != decoded || std::hash<std::string_view>{}(bytes) % kSecondStoreSample == 0)
    CheckSameWindow(again, Decoded(group, half, Stored(group, stored, second, half)));
}

void CheckDeviceInfo(const Bytes& info, bool settingsLoaded) {
  MemoryControls controls = DeviceInfoWindow();
  DecodeDeviceInfo(info, controls, settingsLoaded);
  const Snapshot once = DeviceInfoSnapshot(controls);
  DecodeDeviceInfo(info, controls, settingsLoaded);
  CheckSameWindow(once, DeviceInfoSnapshot(controls));
}

}  // namespace

int FuzzOne(InputReader& input) {
  const std::uint8_t which = input.byte() % (AllGroups().size() + 1);
  const std::uint8_t flags = input.byte();
  const auto rest = input.rest();
  // The heap copy lets AddressSanitizer see a read past the answer's end.
  const Bytes bytes(rest.begin(), rest.end());
  if (which == AllGroups().size()) {
    CheckDeviceInfo(bytes, (flags & 1) != 0);
    return 0;
  }
  const WifiHalf half = (flags & 1) != 0 ? WifiHalf::Second : WifiHalf::First;
  CheckGroup(AllGroups()[which], half, bytes);
  return 0;
}

}  // namespace tracker::fuzz

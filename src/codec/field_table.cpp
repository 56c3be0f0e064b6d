#include "codec/field_table.h"

#include <algorithm>
#include <array>

#include "codec/group_row.h"
#include "protocol/block_map.h"
#include "ui/list_values.h"

namespace tracker {
namespace {

// The largest data area of any group (the WiFi list).
constexpr std::size_t kMaxGroupData = 2048;

bool inWindow(const Field& f, std::uint16_t readOffset, std::uint16_t windowLength) {
  return f.offset >= readOffset && f.offset + f.width <= readOffset + windowLength;
}

}  // namespace

Bytes EncodeTable(const GroupSpec& spec, const Controls& controls) {
  std::array<std::uint8_t, kMaxGroupData> data{};
  for (const Field& f : spec.fields) {
    if (!f.written()) continue;
    f.encoding->write(f, controls, {data.data() + (f.offset - spec.write.offset), f.width});
  }
  const std::span<const std::uint8_t> bytes{data.data(), spec.write.length};
  if (!spec.blockHeader) return {bytes.begin(), bytes.end()};
  return BlockWrite(spec.block(), spec.write.offset, bytes);
}

std::size_t BytesNeeded(const GroupSpec& spec, std::uint16_t readOffset,
                        std::uint16_t windowLength) {
  std::size_t needed = 0;
  for (const Field& f : spec.fields) {
    if (f.read() && inWindow(f, readOffset, windowLength)) {
      needed = std::max<std::size_t>(needed, f.offset + f.width - readOffset);
    }
  }
  return needed;
}

DecodeResult DecodeTable(const GroupSpec& spec, std::uint16_t readOffset,
                         std::uint16_t windowLength, std::span<const std::uint8_t> data,
                         Controls& controls) {
  if (data.size() < BytesNeeded(spec, readOffset, windowLength)) return DecodeResult::TooShort;
  std::vector<StagedValue> staged;
  staged.reserve(spec.fields.size());
  for (const Field& f : spec.fields) {
    if (!f.read() || !inWindow(f, readOffset, windowLength)) continue;
    f.encoding->read(f, data.subspan(f.offset - readOffset, f.width), staged);
  }
  ApplyStaged(staged, controls);
  return DecodeResult::Ok;
}

void ApplyStaged(const std::vector<StagedValue>& staged, Controls& controls) {
  for (const StagedValue& v : staged) {
    switch (v.kind) {
      case StagedValue::Kind::Text:
        controls.setText(*v.control, v.text);
        break;
      case StagedValue::Kind::Index:
        SetListValue(controls, *v.control, v.number);
        break;
      case StagedValue::Kind::Check:
        controls.setChecked(*v.control, v.number != 0);
        break;
    }
  }
}

}  // namespace tracker

// Event reporting: block 5, one 32-byte row per event number (0 to 57), from
// the shared event-row table. Rows 13 to 16 have no event and stay zero.
#include "codec/encodings.h"
#include "codec/groups/group_rows.h"
#include "ui/event_rows.h"

namespace tracker {

const BlockRange ReqEvent{.block = 5, .offset = 0, .length = 4096};
namespace {

constexpr int kRowSize = 32;
constexpr int kFlagsAt = 16;  // row offset of the first flag byte
// "Reply current": its checks are always set; a read leaves them alone.
constexpr int kReplyCurrentRow = 34;

// Flag byte (counted from kFlagsAt) and bit of each column.
struct ColumnBit {
  int byte;
  std::uint8_t bit;
};

ColumnBit columnBit(EventColumn column) {
  switch (column) {
    case EventColumn::GPRS1:
      return {0, 0};
    case EventColumn::GPRS2:
      return {0, 1};
    case EventColumn::SMS1:
      return {1, 0};
    case EventColumn::SMS2:
      return {1, 1};
    case EventColumn::SMS3:
      return {1, 2};
    case EventColumn::Call1:
      return {2, 0};
    case EventColumn::Call2:
      return {2, 1};
    case EventColumn::Call3:
      return {2, 2};
    case EventColumn::Moni1:
      return {3, 0};
    case EventColumn::Moni2:
      return {3, 1};
    case EventColumn::Moni3:
      return {3, 2};
    case EventColumn::OUT1:
      return {4, 0};
    case EventColumn::OUT2:
      return {4, 1};
    case EventColumn::CMR1:
      return {5, 0};
  }
  return {0, 0};
}

}  // namespace

const GroupSpec& EventSpec() {
  using namespace encoding;
  static const GroupSpec table = [] {
    GroupSpec t{.id = Group::Event,
                .caption = "Event",
                .write = {.block = 5, .offset = 0, .length = 58 * kRowSize},
                .read = ReqEvent,
                .fields = {}};
    for (const EventRow& row : EventRows()) {
      const int at = row.number * kRowSize;
      if (!row.nameEdit.empty()) {
        t.fields.push_back({static_cast<std::uint16_t>(at), 16, &kText, std::string(row.nameEdit)});
      }
      const Direction direction =
          row.number == kReplyCurrentRow ? Direction::WriteOnly : Direction::Both;
      for (const EventColumnInfo& info : EventColumns()) {
        if (!EventColumnPresent(row.columnSet, info.column)) continue;
        const ColumnBit cb = columnBit(info.column);
        t.fields.push_back({.offset = static_cast<std::uint16_t>(at + kFlagsAt + cb.byte),
                            .width = 1,
                            .encoding = &kFlag,
                            .control = EventCheckName(row, info.column),
                            .bit = cb.bit,
                            .direction = direction});
      }
    }
    return t;
  }();
  return table;
}

}  // namespace tracker

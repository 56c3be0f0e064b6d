#pragma once
// A parameter group as data: a list of fields, each a byte range of the group's
// block bound to a control through an encoding. One walker per direction runs
// every group's table.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "codec/decode_result.h"
#include "protocol/frame.h"
#include "ui/controls.h"

namespace tracker {

struct Field;
struct GroupSpec;

// A value read from an answer, held until the whole answer is known good.
struct StagedValue {
  enum class Kind { Text, Index, Check };
  const std::string* control;
  Kind kind;
  std::string text;
  int number = 0;  // item index, or 0/1 for a check
};

// An encoding: how one field's bytes are written from its control and read
// back. A null read means the bytes are skipped when reading (fixed bytes).
// A write refuses a value the field cannot hold with EFieldError naming the
// control. range gives the values a numeric field holds ("0–255"), the same
// range the write checks; it is null for texts, lists and checks.
struct Encoding {
  void (*write)(const Field& field, const Controls& controls, std::span<std::uint8_t> bytes);
  void (*read)(const Field& field, std::span<const std::uint8_t> bytes,
               std::vector<StagedValue>& staged);
  std::string (*range)(const Field& field) = nullptr;
};

// Which way a field travels. NeverWritten: read from the tracker, never sent
// to it (not to be confused with a control the user may not edit).
enum class Direction : std::uint8_t { Both, NeverWritten, WriteOnly };

struct Field {
  std::uint16_t offset;  // in the group's address space (block offset)
  std::uint16_t width;
  const Encoding* encoding;
  std::string control;   // empty for fixed bytes
  std::uint8_t bit = 0;  // flags: the bit of the control within the field
  Direction direction = Direction::Both;
  std::uint8_t fill = 0;  // fixed bytes: the byte they are filled with

  bool written() const { return direction != Direction::NeverWritten; }
  bool read() const { return direction != Direction::WriteOnly && encoding->read != nullptr; }
};

// The group's write payload from the controls: the block header (when the
// group has one) and the data. A value a field cannot hold throws EFieldError.
Bytes EncodeTable(const GroupSpec& spec, const Controls& controls);

// Reads the fields lying in [readOffset, readOffset + windowLength) from data,
// whose first byte is at readOffset. When data is shorter than the last of
// those fields needs, nothing is changed and TooShort is returned.
DecodeResult DecodeTable(const GroupSpec& spec, std::uint16_t readOffset,
                         std::uint16_t windowLength, std::span<const std::uint8_t> data,
                         Controls& controls);

// Number of data bytes the decoder needs for that window.
std::size_t BytesNeeded(const GroupSpec& spec, std::uint16_t readOffset,
                        std::uint16_t windowLength);

// Sets every staged value on its control.
void ApplyStaged(const std::vector<StagedValue>& staged, Controls& controls);

}  // namespace tracker

#pragma once
// Encodes groups and feeds real answer frames to the decoders, for the codec tests.

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "codec/codec.h"
#include "codec/groups/group_rows.h"
#include "protocol/answer.h"
#include "support/answer_frames.h"
#include "ui/catalogue.h"
#include "ui/memory_controls.h"

namespace tracker {

// The write payload of a group, header included.
Bytes EncodePayload(Group group, const Controls& controls);

// The data part of a write payload (after the 5-byte header, if any).
Bytes EncodeData(Group group, const Controls& controls);

// The frame behind a few stray bytes, as a delivery.
Bytes Delivery(const Bytes& frame);

// The answer the dispatcher finds in the bytes (a view into them); an empty
// answer when they hold no whole frame.
Answer FindAnswer(std::span<const std::uint8_t> bytes);

// A block read answer carrying `data` (from the group's read offset on),
// decoded as the dispatcher would.
DecodeResult DecodeBlockAnswer(Group group, const Bytes& data, Controls& controls);

// A 0xB7 answer carrying `payload`, decoded as the given half.
DecodeResult DecodeWifiAnswer(WifiHalf half, const Bytes& payload, Controls& controls);

// A test-name suffix for parameterised tests over groups.
std::string GroupTestName(const testing::TestParamInfo<Group>& info);

// Everything a user can see of every control, for before/after comparisons.
using Snapshot = std::map<std::string, std::string>;
Snapshot TakeSnapshot(const Controls& controls);

// The text each named control should show.
using Texts = std::initializer_list<std::pair<std::string_view, std::string_view>>;
void ExpectTexts(const Controls& controls, Texts texts);

// `size` zero bytes, but for the given ones.
Bytes ZerosWith(std::size_t size,
                std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes);

}  // namespace tracker

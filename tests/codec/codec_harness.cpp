#include "codec_harness.h"

#include <algorithm>

namespace tracker {

Bytes EncodePayload(Group group, const Controls& controls) {
  return Encode(group, controls);
}

Bytes EncodeData(Group group, const Controls& controls) {
  Bytes payload = EncodePayload(group, controls);
  if (SpecOf(group).blockHeader) payload.erase(payload.begin(), payload.begin() + 5);
  return payload;
}

Bytes Delivery(const Bytes& frame) {
  constexpr std::uint8_t kStray[] = {0x00, 0x13, 0x5A};
  Bytes delivery(std::size(kStray) + frame.size());
  std::copy(std::begin(kStray), std::end(kStray), delivery.begin());
  std::copy(frame.begin(), frame.end(), delivery.begin() + std::size(kStray));
  return delivery;
}

Answer FindAnswer(std::span<const std::uint8_t> bytes) {
  const FrameScan scan = ScanFrames(bytes);
  if (!scan.found()) return {};
  return *FrameAt(bytes, scan.header);
}

DecodeResult DecodeBlockAnswer(Group group, const Bytes& data, Controls& controls) {
  const GroupSpec& spec = SpecOf(group);
  const Bytes delivery = Delivery(ReadAnswer(spec.block(), spec.read.offset, data));
  return Decode(group, AsBlockAnswer(FindAnswer(delivery))->data, controls);
}

DecodeResult DecodeWifiAnswer(WifiHalf half, const Bytes& payload, Controls& controls) {
  const Bytes delivery = Delivery(AnswerFrame(0xB7, payload));
  return Decode(Group::Wifi, FindAnswer(delivery).payload, controls, half);
}

std::string GroupTestName(const testing::TestParamInfo<Group>& info) {
  static constexpr const char* kNames[] = {"Gprs", "MainA", "MainB", "Interface", "Temperature",
                                           "Wifi", "Auth",  "Geo",   "Event",     "Dlt"};
  return kNames[static_cast<int>(info.param)];
}

Snapshot TakeSnapshot(const Controls& controls) {
  Snapshot snapshot;
  for (const ControlSpec& spec : Catalogue()) {
    const std::string& n = spec.name;
    snapshot[n] = controls.text(n) + "|" + std::to_string(controls.itemIndex(n)) + "|" +
                  std::to_string(controls.checked(n)) + "|" + std::to_string(controls.shown(n)) +
                  "|" + controls.caption(n);
  }
  return snapshot;
}

void ExpectTexts(const Controls& controls, Texts texts) {
  for (const auto& [control, text] : texts) EXPECT_EQ(controls.text(control), text) << control;
}

Bytes ZerosWith(std::size_t size,
                std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
  Bytes out(size, 0x00);
  for (const auto& [at, byte] : bytes) out.at(at) = byte;
  return out;
}

}  // namespace tracker

#include "codec_harness.h"

namespace tracker {

Bytes EncodePayload(Group group, const Controls& controls) {
  ProtocolContext context;
  Encode(group, context, controls);
  const auto payload = context.payload();
  return Bytes(payload.begin(), payload.end());
}

Bytes EncodeData(Group group, const Controls& controls) {
  Bytes payload = EncodePayload(group, controls);
  if (SpecOf(group).blockHeader) payload.erase(payload.begin(), payload.begin() + 5);
  return payload;
}

std::uint16_t Deliver(ProtocolContext& context, const Bytes& frame) {
  Bytes delivery{0x00, 0x13, 0x5A};
  delivery.insert(delivery.end(), frame.begin(), frame.end());
  context.setReceived(delivery);
  return context.FindFrame(0);
}

DecodeResult DecodeBlockAnswer(Group group, const Bytes& data, Controls& controls) {
  const GroupSpec& spec = SpecOf(group);
  ProtocolContext context;
  const std::uint16_t p = Deliver(context, ReadAnswer(spec.block(), spec.read.offset, data));
  return Decode(group, AsBlockAnswer(ParseAnswer(context, p))->data, controls);
}

DecodeResult DecodeWifiAnswer(WifiHalf half, const Bytes& payload, Controls& controls) {
  ProtocolContext context;
  const std::uint16_t p = Deliver(context, AnswerFrame(0xB7, payload));
  return Decode(Group::Wifi, ParseAnswer(context, p).payload, controls, half);
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

}  // namespace tracker

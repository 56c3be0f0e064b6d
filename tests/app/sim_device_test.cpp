#include <gtest/gtest.h>

#include <string>

#include "sim/device.h"
#include "sim/device_info.h"
#include "sim/faults.h"

namespace tracker::sim {
namespace {

constexpr const char* kId = "860000000000001";

class SimDeviceTest : public ::testing::Test {
 protected:
  Answer ask(std::uint8_t cmd, Bytes payload = {}) {
    const auto answer = device.handle(Frame{cmd, std::move(payload)});
    EXPECT_TRUE(answer.has_value()) << "no answer to command " << int{cmd};
    EXPECT_EQ(answer.value_or(Answer{}).command, cmd);
    return answer.value_or(Answer{});
  }

  Bytes read(int block, int offset, int length) {
    return ask(command::kReadBlock,
               {static_cast<std::uint8_t>(block), static_cast<std::uint8_t>(offset >> 8),
                static_cast<std::uint8_t>(offset), static_cast<std::uint8_t>(length >> 8),
                static_cast<std::uint8_t>(length)})
        .payload;
  }

  Bytes write(int block, int offset, const Bytes& data) {
    Bytes payload = {static_cast<std::uint8_t>(block), static_cast<std::uint8_t>(offset >> 8),
                     static_cast<std::uint8_t>(offset), static_cast<std::uint8_t>(data.size() >> 8),
                     static_cast<std::uint8_t>(data.size())};
    payload.insert(payload.end(), data.begin(), data.end());
    return ask(command::kWriteBlock, payload).payload;
  }

  // Device information of the 0x50 answer: the figures after the third ","
  // (index i is the byte i + 1 places after that comma).
  Bytes infoFigures(const Bytes& answer) {
    std::size_t commas = 0;
    std::size_t at = 5;
    while (at < answer.size() && commas < 3) {
      if (answer[at++] == ',') ++commas;
    }
    return Bytes(answer.begin() + static_cast<std::ptrdiff_t>(at), answer.end());
  }

  DeviceStore store = DeviceStore::factoryNew(kId);
  Device device{store, firmwareFor("Larch")};
};

TEST_F(SimDeviceTest, ReadEchoesTheRequestAndReturnsTheRangeClippedToTheBlock) {
  const Bytes id = read(1, 16, 15);
  EXPECT_EQ(Bytes(id.begin(), id.begin() + 5), (Bytes{1, 0x00, 0x10, 0x00, 0x0F}));
  EXPECT_EQ(std::string(id.begin() + 5, id.end()), kId);

  EXPECT_EQ(read(2, 446, 89).size(), 5u + 89u);  // the last range of block 2 fits exactly
  const Bytes tail = read(2, 500, 100);          // 35 bytes exist from 500
  EXPECT_EQ(Bytes(tail.begin(), tail.begin() + 5), (Bytes{2, 0x01, 0xF4, 0x00, 0x64}));
  EXPECT_EQ(tail.size(), 5u + 35u);
  EXPECT_EQ(read(6, 48, 10).size(), 5u);
  EXPECT_EQ(read(9, 0, 10), (Bytes{9, 0, 0, 0, 10}));  // no such block: echo, no data
}

TEST_F(SimDeviceTest, WriteStoresAtTheOffsetAndRefusesWhatDoesNotFit) {
  EXPECT_EQ(write(5, 4094, {0xAB, 0xCD}), (Bytes{5, 1}));
  const Bytes back = read(5, 4093, 3);
  EXPECT_EQ(Bytes(back.begin() + 5, back.end()), (Bytes{0x00, 0xAB, 0xCD}));

  EXPECT_EQ(write(6, 47, {1, 2}), (Bytes{6, 0}));  // one byte past the end
  EXPECT_EQ(write(7, 0, {1}), (Bytes{7, 0}));
  Bytes lying = {3, 0, 0, 0, 4, 'a', 'b'};  // header promises 4 bytes, 2 follow
  EXPECT_EQ(ask(command::kWriteBlock, lying).payload, (Bytes{3, 0}));
  EXPECT_EQ(read(3, 0, 2), (Bytes{3, 0, 0, 0, 2, 0, 0}));
  EXPECT_FALSE(device.handle(Frame{command::kWriteBlock, {1, 0, 32}}).has_value());
}

TEST_F(SimDeviceTest, AuthorisationCarriesResultAndDeviceInformation) {
  store.authCode = "1234";
  const Bytes refused = ask(command::kAuthorise, {1, 0xFF, 0xFF, 0xFF, 0xFF}).payload;
  EXPECT_EQ(Bytes(refused.begin(), refused.begin() + 5), (Bytes{1, 0, 0, 0, 0}));
  EXPECT_EQ(ask(command::kAuthorise, {1, '1', '2', '3', '4'}).payload[1], 1);
  EXPECT_EQ(ask(command::kAuthorise, {1, '1', '2', '3'}).payload[1], 0);

  EXPECT_EQ(ask(command::kClearAuthCode).payload, Bytes{1});
  const Bytes accepted = ask(command::kAuthorise, {1, 0xFF, 0xFF, 0xFF, 0xFF}).payload;
  EXPECT_EQ(accepted[1], 1);
  const std::string text(accepted.begin() + 5, accepted.end());
  EXPECT_EQ(text.rfind(std::string("FW1.0-Larch,") + kId + ",SN00000001,", 0), 0u);

  const Bytes figures = infoFigures(accepted);
  ASSERT_EQ(figures.size(), 39u);  // 8 counters, battery, mileage, RFID count
  EXPECT_EQ(Bytes(figures.begin(), figures.begin() + 8), (Bytes{0, 0, 0, 12, 0, 0, 0x01, 0xF4}));
  EXPECT_EQ(figures[32], 87);  // battery
}

TEST_F(SimDeviceTest, MileageGoesInLittleEndianAndComesOutBigEndian) {
  EXPECT_EQ(ask(command::kSetMileage, {0xD2, 0x04, 0x00, 0x00}).payload, Bytes{1});
  Bytes figures = infoFigures(ask(command::kAuthorise, {1, 0xFF, 0xFF, 0xFF, 0xFF}).payload);
  EXPECT_EQ(Bytes(figures.begin() + 33, figures.begin() + 37), (Bytes{0, 0, 0x04, 0xD2}));

  EXPECT_EQ(ask(command::kSetMileage, {0xFF, 0xFF, 0xFF, 0xFF}).payload, Bytes{1});  // -1
  figures = infoFigures(ask(command::kAuthorise, {1, 0xFF, 0xFF, 0xFF, 0xFF}).payload);
  EXPECT_EQ(Bytes(figures.begin() + 33, figures.begin() + 37), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(ask(command::kSetMileage, {1, 2}).payload, Bytes{2});
}

TEST_F(SimDeviceTest, ClearsEmptyOnlyTheirOwnBuffer) {
  const auto figure = [this](std::size_t at) {
    const Bytes f = infoFigures(ask(command::kAuthorise, {1, 0xFF, 0xFF, 0xFF, 0xFF}).payload);
    return (f[at] << 24) | (f[at + 1] << 16) | (f[at + 2] << 8) | f[at + 3];
  };
  EXPECT_EQ(figure(24), 250);  // GPS log fill
  EXPECT_EQ(ask(command::kClearGpsLog).payload, Bytes{1});
  EXPECT_EQ(figure(24), 0);
  EXPECT_EQ(figure(28), 50000);  // its capacity stays
  EXPECT_EQ(figure(0), 12);      // the SMS buffer is untouched
  EXPECT_EQ(ask(command::kClearSms).payload, Bytes{1});
  EXPECT_EQ(figure(0), 0);
  EXPECT_EQ(ask(command::kClearGprs1).payload, Bytes{1});
  EXPECT_EQ(figure(8), 0);
  EXPECT_EQ(ask(command::kClearGprs2).payload, Bytes{1});
}

TEST_F(SimDeviceTest, WifiIsWrittenWholeAndReadInHalves) {
  Bytes list(2048, 0x00);
  list[0] = 'A';             // entry 1 SSID
  list[16 * 64 + 32] = 'p';  // entry 17 password
  list[31 * 64 + 63] = 'z';  // last byte of entry 32
  EXPECT_EQ(ask(command::kWriteWifi, list).payload, Bytes{1});
  const Bytes first = ask(command::kReadWifi, {0x00, 0x10}).payload;
  const Bytes second = ask(command::kReadWifi, {0x10, 0x10}).payload;
  ASSERT_EQ(first.size(), 1024u);
  ASSERT_EQ(second.size(), 1024u);
  EXPECT_EQ(first[0], 'A');
  EXPECT_EQ(second[32], 'p');
  EXPECT_EQ(second[1023], 'z');
  EXPECT_EQ(ask(command::kReadWifi, {0x1F, 0x10}).payload.size(), 64u);  // only entry 32 exists
  EXPECT_EQ(ask(command::kWriteWifi, Bytes(2049, 0)).payload, Bytes{0});
}

TEST_F(SimDeviceTest, DefaultsRestoreParametersButKeepIdentityAndRfids) {
  write(2, 0, Bytes(34, 0x55));
  ask(command::kWriteWifi, Bytes(2048, 0x41));
  ask(command::kAddRfid, {'A', '1'});
  const Answer answer = ask(command::kDefault);
  EXPECT_EQ(answer.payload, Bytes{1});
  EXPECT_TRUE(answer.restarted);
  EXPECT_EQ(read(2, 0, 2), (Bytes{2, 0, 0, 0, 2, 0, 0}));
  EXPECT_EQ(ask(command::kReadWifi, {0, 1}).payload, Bytes(64, 0xFF));  // erased
  const Bytes id = read(1, 16, 15);
  EXPECT_EQ(std::string(id.begin() + 5, id.end()), kId);
  EXPECT_EQ(ask(command::kListRfid).payload, (Bytes{'A', '1'}));
}

TEST_F(SimDeviceTest, RfidListAddsDeletesAndListsAsText) {
  EXPECT_EQ(ask(command::kListRfid).payload, (Bytes{'\r', '\n'}));  // empty, never a leading 2
  const std::string ids = "A1\r\nB2\r\nA1\r\n";
  EXPECT_EQ(ask(command::kAddRfid, Bytes(ids.begin(), ids.end())).payload, Bytes{1});
  EXPECT_EQ(ask(command::kListRfid).payload, (Bytes{'A', '1', '\r', '\n', 'B', '2'}));
  const Bytes info = infoFigures(ask(command::kAuthorise, {1, 0xFF, 0xFF, 0xFF, 0xFF}).payload);
  EXPECT_EQ(Bytes(info.end() - 2, info.end()), (Bytes{0, 2}));
  EXPECT_EQ(ask(command::kDeleteRfid, {'A', '1'}).payload, Bytes{1});
  EXPECT_EQ(ask(command::kListRfid).payload, (Bytes{'B', '2'}));
  EXPECT_EQ(ask(command::kAddRfid).payload, Bytes{2});  // nothing to add
  EXPECT_EQ(ask(command::kDeleteRfid).payload, Bytes{2});
}

TEST_F(SimDeviceTest, OtherCommandsAndUnknownOnes) {
  EXPECT_EQ(ask(command::kTempPair, {'1', ',', 'T'}).payload, Bytes{1});
  EXPECT_EQ(ask(command::kTempPair).payload, Bytes{1});
  EXPECT_FALSE(device.handle(Frame{0x51, {}}).has_value());
  EXPECT_FALSE(device.handle(Frame{command::kReadBlock, {1, 0, 16}}).has_value());
  EXPECT_FALSE(device.handle(Frame{command::kReadWifi, {0}}).has_value());
}

TEST(SimFaults, BadCrcCountsDownAndSplitKeepsEveryByte) {
  Faults faults;
  faults.badCrcAnswers = 1;
  faults.split = std::chrono::milliseconds(40);
  FaultInjector injector(faults);
  const Bytes frame = encodeFrame(0xC0, Bytes{1});
  const auto pieces = injector.shape(frame);
  ASSERT_EQ(pieces.size(), 3u);
  Bytes joined;
  for (const Piece& piece : pieces)
    joined.insert(joined.end(), piece.bytes.begin(), piece.bytes.end());
  EXPECT_EQ(Bytes(joined.begin(), joined.end() - 2), Bytes(frame.begin(), frame.end() - 2));
  EXPECT_NE(joined[joined.size() - 2], frame[frame.size() - 2]);
  EXPECT_NE(joined.back(), frame.back());
  EXPECT_EQ(pieces[0].pauseBefore.count(), 0);
  EXPECT_EQ(pieces[2].pauseBefore.count(), 40);

  Bytes second;
  for (const Piece& piece : injector.shape(frame))
    second.insert(second.end(), piece.bytes.begin(), piece.bytes.end());
  EXPECT_EQ(second, frame);  // only the first answer was corrupted
}

TEST(SimFaults, ForgottenWritesAreAcknowledgedAsStored) {
  Faults faults;
  faults.forgetBlocks = {2, 0};
  const FaultInjector injector(faults);
  const auto block2 = injector.forgets(Frame{command::kWriteBlock, {2, 0, 0, 0, 1, 9}});
  ASSERT_TRUE(block2.has_value());
  EXPECT_EQ(block2->payload, (Bytes{2, kDone}));
  const auto wifi = injector.forgets(Frame{command::kWriteWifi, Bytes(64, 0x41)});
  ASSERT_TRUE(wifi.has_value());
  EXPECT_EQ(wifi->payload, (Bytes{kDone}));
  EXPECT_FALSE(injector.forgets(Frame{command::kWriteBlock, {3, 0, 0, 0, 1, 9}}).has_value());
  EXPECT_FALSE(injector.forgets(Frame{command::kReadBlock, {2, 0, 0, 0, 1}}).has_value());
}

Bytes Joined(const std::vector<Piece>& pieces) {
  Bytes joined;
  for (const Piece& piece : pieces)
    joined.insert(joined.end(), piece.bytes.begin(), piece.bytes.end());
  return joined;
}

TEST(SimFaults, ANoisyLineCutsFalseStartsAndBreaksEveryNthAnswer) {
  Faults faults;
  faults.cutAfter = 3;
  faults.falseStart = true;
  faults.badCrcEvery = 2;
  FaultInjector injector(faults);
  const Bytes frame = encodeFrame(0xC0, Bytes{1});
  const Bytes start(std::begin(kFalseStart), std::end(kFalseStart));

  const auto first = injector.shape(frame);
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].bytes, (Bytes{0x5A, 0xA5, 0xFF, 0xF0, 0x5A, 0xA5, 0x00}));
  EXPECT_EQ(first[1].pauseBefore.count(), 40);
  Bytes whole = start;
  whole.insert(whole.end(), frame.begin(), frame.end());
  EXPECT_EQ(Joined(first), whole);

  const Bytes second = Joined(injector.shape(frame));
  EXPECT_EQ(Bytes(second.begin(), second.end() - 2), Bytes(whole.begin(), whole.end() - 2));
  EXPECT_NE(second.back(), whole.back()) << "the second answer's CRC is broken";
  EXPECT_EQ(Joined(injector.shape(frame)), whole);
}

}  // namespace
}  // namespace tracker::sim

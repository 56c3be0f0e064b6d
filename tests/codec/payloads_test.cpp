// Request builders: read requests, authorisation code, identifier list,
// mileage and temperature-sensor payloads.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/str_to_int.h"
#include "codec/codec.h"
#include "codec/payloads.h"
#include "codec/read_requests.h"
#include "protocol/block_map.h"
#include "ui/memory_controls.h"

namespace tracker {
namespace {

class PayloadTest : public ::testing::Test {
 protected:
  MemoryControls controls;
};

TEST_F(PayloadTest, ReadRequestsCarryBlockOffsetAndLengthBigEndian) {
  EXPECT_EQ(ReadRequest(ReqEvent), (Bytes{0x05, 0x00, 0x00, 0x10, 0x00}));
  EXPECT_EQ(ReadRequest(ReqMainB), (Bytes{0x02, 0x01, 0xBE, 0x00, 0x59}));
  EXPECT_EQ(ReadRequest(ReqDeviceId), (Bytes{0x01, 0x00, 0x10, 0x00, 0x0F}));
}

TEST_F(PayloadTest, GroupWritesCoverBlockTwoWithoutGapOrOverlap) {
  std::vector<bool> covered(kBlockSizes[2], false);
  for (const Group group : AllGroups()) {
    const GroupSpec& g = SpecOf(group);
    if (g.write.block != 2) continue;
    for (int i = g.write.offset; i < g.write.offset + g.write.length; ++i) {
      ASSERT_FALSE(covered.at(i)) << g.caption << " overlaps at " << i;
      covered[i] = true;
    }
  }
  EXPECT_EQ(std::count(covered.begin(), covered.end(), false), 0);
}

TEST_F(PayloadTest, AuthCodeOnlyWhenExactlyFourCharacters) {
  for (const char* code : {"", "123", "12345"}) {
    controls.setText("AuthCode", code);
    EXPECT_EQ(AuthPayload(controls), (Bytes{0x01, 0xFF, 0xFF, 0xFF, 0xFF})) << '"' << code << '"';
  }
  controls.setText("AuthCode", "A1b2");
  EXPECT_EQ(AuthPayload(controls), (Bytes{0x01, 'A', '1', 'b', '2'}));
}

TEST_F(PayloadTest, TemperatureSensorPayloads) {
  controls.setText("Temp_Index", "");
  controls.setText("Temp_Name", "ignored");
  EXPECT_TRUE(TempSensorPayload(controls).empty()) << "no index deletes all sensors";

  controls.setText("Temp_Index", "37");
  controls.setText("Temp_Name", "");
  EXPECT_EQ(TempSensorPayload(controls), (Bytes{'3'}));

  controls.setText("Temp_Name", "ABCDEFGHIJKLMNOPQRST");
  const std::string expected = "3,ABCDEFGHIJKLMNOP";
  EXPECT_EQ(TempSensorPayload(controls), Bytes(expected.begin(), expected.end()));
}

TEST_F(PayloadTest, MemoLinesAreSeparatedByCrLf) {
  for (const char* memo : {"A1\r\nB2", "A1\nB2", "A1\rB2"}) {
    controls.setText("RFID_Memo", memo);
    EXPECT_EQ(MemoPayload(controls), (Bytes{0x41, 0x31, 0x0D, 0x0A, 0x42, 0x32}));
  }
  controls.setText("RFID_Memo", "");
  EXPECT_TRUE(MemoPayload(controls).empty());
}

TEST_F(PayloadTest, HugeMemoIsRefused) {
  controls.setText("RFID_Memo", std::string(kMaxPayload + 1, '7'));
  try {
    MemoPayload(controls);
    FAIL() << "a list longer than a frame was accepted";
  } catch (const EPayloadTooLong& e) {
    EXPECT_STREQ(e.what(), "The identifier list is too long to send.");
  }
  controls.setText("RFID_Memo", std::string(kMaxPayload, '7'));
  EXPECT_EQ(MemoPayload(controls).size(), kMaxPayload) << "exactly the limit still fits";
}

TEST_F(PayloadTest, MileageIsLittleEndianAndBadTextIsRefused) {
  controls.setText("Mileage", "1234");
  EXPECT_EQ(MileagePayload(controls), (Bytes{0xD2, 0x04, 0x00, 0x00}));
  controls.setText("Mileage", "4294967295");
  EXPECT_EQ(MileagePayload(controls), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
  for (const char* bad : {"12km", "-1", "4294967296", ""}) {
    controls.setText("Mileage", bad);
    EXPECT_THROW(MileagePayload(controls), EConvertError) << bad;
  }
}

}  // namespace
}  // namespace tracker

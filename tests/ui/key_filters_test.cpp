#include "ui/key_filters.h"

#include <gtest/gtest.h>

#include <string>

namespace tracker {
namespace {

// Types the characters one by one through a filter, as an edit would.
std::string Type(KeyFilter f, std::u32string keys, std::string text = {}) {
  for (char32_t k : keys) {
    if (!KeyAccepted(f, text, k)) continue;
    if (k == kBackspace) {
      if (!text.empty()) text.pop_back();
    } else {
      text += static_cast<char>(k);
    }
  }
  return text;
}

TEST(KeyFilters, CharacterClasses) {
  EXPECT_EQ(Type(KeyFilter::Digits, U"12a3.-+"), "123");
  EXPECT_EQ(Type(KeyFilter::Decimal, U"1.2.3x"), "1.2.3");
  EXPECT_EQ(Type(KeyFilter::SignedWhole, U"-5"), "-5");
  EXPECT_EQ(Type(KeyFilter::SignedWhole, U"+5."), "5");
  EXPECT_EQ(Type(KeyFilter::SignedDecimal, U"+-1.5e"), "+-1.5");
  EXPECT_EQ(Type(KeyFilter::Alphanumeric, U"aZ09 _-"), "aZ09");
  EXPECT_FALSE(KeyAccepted(KeyFilter::Alphanumeric, "", U'é'));
  EXPECT_EQ(Type(KeyFilter::None, U"any thing!"), "any thing!");
}

TEST(KeyFilters, BackspacePassesAndControlCharactersDoNot) {
  for (KeyFilter f :
       {KeyFilter::Digits, KeyFilter::Decimal, KeyFilter::SignedWhole, KeyFilter::SignedDecimal,
        KeyFilter::Alphanumeric, KeyFilter::Alphanumeric14, KeyFilter::AtMost32}) {
    EXPECT_TRUE(KeyAccepted(f, std::string(40, 'x'), kBackspace));
    for (char32_t ctrl : {U'\x03', U'\x16', U'\x18', U'\x1A', U'\t', U'\r', U'\x7F'}) {
      EXPECT_FALSE(KeyAccepted(f, "", ctrl)) << static_cast<int>(ctrl);
    }
  }
  EXPECT_TRUE(KeyAccepted(KeyFilter::None, "", U'\x16'));
}

TEST(KeyFilters, LengthLimitsCountCharacters) {
  EXPECT_TRUE(KeyAccepted(KeyFilter::AtMost32, std::string(31, 'a'), U'b'));
  EXPECT_FALSE(KeyAccepted(KeyFilter::AtMost32, std::string(32, 'a'), U'b'));
  EXPECT_FALSE(KeyAccepted(KeyFilter::AtMost32, std::string(33, 'a'), U'b'));
  // 31 two-byte characters are 31 characters, not 62.
  std::string umlauts;
  for (int i = 0; i < 31; ++i) umlauts += "ü";
  EXPECT_TRUE(KeyAccepted(KeyFilter::AtMost32, umlauts, U'x'));
  EXPECT_EQ(Type(KeyFilter::Alphanumeric14, U"ABCDEFGHIJKLMNOPQ"), "ABCDEFGHIJKLMN");
  EXPECT_EQ(Type(KeyFilter::Alphanumeric14, U"\bZ", "ABCDEFGHIJKLMN"), "ABCDEFGHIJKLMZ");
}

TEST(KeyFilters, RulesOfTheFields) {
  EXPECT_EQ(FieldRuleFor("Port").filter, KeyFilter::Digits);
  EXPECT_FALSE(FieldRuleFor("Port").refill);
  EXPECT_EQ(FieldRuleFor("SMSTimeZone").filter, KeyFilter::SignedWhole);
  EXPECT_EQ(FieldRuleFor("DistanceInterval").filter, KeyFilter::Decimal);
  EXPECT_EQ(FieldRuleFor("DeviceID").filter, KeyFilter::Alphanumeric14);
  EXPECT_EQ(FieldRuleFor("IP3").filter, KeyFilter::AtMost32);
  EXPECT_EQ(FieldRuleFor("Temp8_ID").filter, KeyFilter::Hexadecimal);
  EXPECT_EQ(FieldRuleFor("AlarmTime24").filter, KeyFilter::Time);
  for (const char* name : {"TowTM", "IdleTM", "FatigueTM", "GSMJammed", "Mileage"}) {
    EXPECT_EQ(FieldRuleFor(name).filter, KeyFilter::Digits) << name;
  }
  EXPECT_EQ(FieldRuleFor("Temp1_High").filter, KeyFilter::SignedDecimal);
  EXPECT_EQ(FieldRuleFor("SIMPIN").filter, KeyFilter::None);
  EXPECT_EQ(FieldRuleFor("Licence1").filter, KeyFilter::None);
  // Siblings behave like the first of their kind.
  for (const char* name : {"StopInterval", "StopInterval2", "Cmr1StopInterval", "No8Radius"}) {
    EXPECT_EQ(FieldRuleFor(name).filter, KeyFilter::Digits) << name;
    EXPECT_EQ(FieldRuleFor(name).refill, "0") << name;
  }
  for (const char* name : {"No5Lat", "No2Long", "Temp8_Low", "Temp3_High"}) {
    EXPECT_EQ(FieldRuleFor(name).filter, KeyFilter::SignedDecimal) << name;
  }
  EXPECT_EQ(FieldRuleFor("IP2").filter, KeyFilter::AtMost32);
}

TEST(KeyFilters, RefillOnlyWhenEmpty) {
  EXPECT_EQ(RefillOnExit("SensorSen", ""), "2");
  EXPECT_EQ(RefillOnExit("Acceleration", ""), "0");
  EXPECT_EQ(RefillOnExit("LowExtBatAlarm", ""), "0");
  EXPECT_EQ(RefillOnExit("No1Lat", ""), "0");
  EXPECT_EQ(RefillOnExit("RFIDAuthTime", ""), "0");
  EXPECT_FALSE(RefillOnExit("SensorSen", " "));  // blanks are not empty
  EXPECT_FALSE(RefillOnExit("SensorSen", "7"));
  EXPECT_FALSE(RefillOnExit("Port", ""));
  EXPECT_FALSE(RefillOnExit("APN", ""));
  EXPECT_FALSE(RefillOnExit("Temp1_ID", ""));
  // An emptied temperature alarm means no alarm, on every row.
  for (int n = 1; n <= 8; ++n) {
    EXPECT_FALSE(RefillOnExit("Temp" + std::to_string(n) + "_High", ""));
    EXPECT_FALSE(RefillOnExit("Temp" + std::to_string(n) + "_Low", ""));
  }
}

TEST(KeyFilters, PastedTextGoesThroughTheFilterAndTheLimit) {
  const FieldRule digits{KeyFilter::Digits, std::nullopt, 5};
  EXPECT_EQ(PastedText(digits, "", " 80 a8-0 "), "8080");
  EXPECT_EQ(PastedText(digits, "123", "4567"), "45");
  EXPECT_EQ(PastedText(FieldRule{KeyFilter::Time, std::nullopt, 0}, "", "07h:30"), "07:30");
  EXPECT_EQ(PastedText(FieldRule{KeyFilter::Hexadecimal, std::nullopt, 0}, "", "0a-Fg"), "0aF");
  EXPECT_EQ(PastedText(FieldRule{KeyFilter::None, std::nullopt, 3}, "", "äöüß"), "äöü");
  EXPECT_EQ(PastedText(FieldRule{}, "x", "any thing"), "any thing");
}

}  // namespace
}  // namespace tracker

// The one integer conversion: what it accepts, and the exact error text.

#include <gtest/gtest.h>

#include "base/latin1.h"
#include "base/str_to_int.h"

namespace tracker {
namespace {

TEST(StrToInt, AcceptsSignedDecimalsInRange) {
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("  42"), 42);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("-1"), -1);
  EXPECT_EQ(StrToInt("007"), 7);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
}

TEST(StrToInt, RejectsEverythingElseWithTheTextQuoted) {
  for (const char* bad : {"", " ", "-", "+-1", "12a", "a12", "1 ", "1.5", "0x10", "2147483648",
                          "-2147483649", "99999999999999999999", "\t1"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST(Latin1, OneByteACharacterAndQuestionMarkOutside) {
  EXPECT_EQ(ToLatin1("Az"), (std::vector<std::uint8_t>{'A', 'z'}));
  EXPECT_EQ(ToLatin1("\xC3\xA9"), (std::vector<std::uint8_t>{0xE9}));           // é
  EXPECT_EQ(ToLatin1("\xE2\x82\xAC!"), (std::vector<std::uint8_t>{'?', '!'}));  // €
  EXPECT_EQ(ToLatin1("\xFF"), (std::vector<std::uint8_t>{'?'})) << "malformed UTF-8";
  EXPECT_EQ(ToLatin1("\xC3"), (std::vector<std::uint8_t>{'?'})) << "truncated sequence";
  const std::uint8_t bytes[] = {'a', 0xE9, 0xFF};
  EXPECT_EQ(FromLatin1(bytes, 3), "a\xC3\xA9\xC3\xBF");
  EXPECT_EQ(Utf8Length("a\xC3\xA9\xE2\x82\xAC"), 3u);
}

}  // namespace
}  // namespace tracker

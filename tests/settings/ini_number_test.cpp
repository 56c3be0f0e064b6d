// Positions and flags read from the file: the integer rules of the Windows reader.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "settings/ini_test_support.h"

namespace tracker::testing {
namespace {

using IniNumberTest = IniFileTest;

// Each value is stored under its own key; kDefault marks "the default was used".
constexpr std::int32_t kDefault = 777;

TEST_F(IniNumberTest, ReadsDecimalAndHexadecimalWithinThirtyTwoBits) {
  const std::vector<std::pair<std::string, std::int32_t>> cases{
      {"12", 12},
      {"+5", 5},
      {"-1", -1},
      {"007", 7},
      {"\"   42\"", 42},  // leading spaces kept by the quotes are allowed
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"0x10", 16},
      {"0X1f", 31},
      {"0x7FFFFFFF", 2147483647},
      {"0xFFFFFFFF", -1},
      {"0x80000000", INT32_MIN},
  };
  std::string text = "[N]\r\n";
  for (std::size_t i = 0; i < cases.size(); ++i) {
    text += "k" + std::to_string(i) + "=" + cases[i].first + "\r\n";
  }
  const IniDocument ini = Load(text);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(ini.readInt("N", "k" + std::to_string(i), kDefault), cases[i].second)
        << cases[i].first;
  }
}

TEST_F(IniNumberTest, AnythingElseGivesTheDefault) {
  const std::vector<std::string> bad{"",
                                     "abc",
                                     "12abc",
                                     "1.5",
                                     "--1",
                                     "+-1",
                                     "- 1",
                                     "\"1 \"",
                                     "0x",
                                     "0xg",
                                     "-0x10",
                                     "0x-1",
                                     "0x100000000",
                                     "2147483648",
                                     "-2147483649",
                                     "99999999999999999999",
                                     "\"\"",
                                     "1e3",
                                     "\t1\t\"x"};
  std::string text = "[N]\r\n";
  for (std::size_t i = 0; i < bad.size(); ++i) {
    text += "k" + std::to_string(i) + "=" + bad[i] + "\r\n";
  }
  const IniDocument ini = Load(text);
  for (std::size_t i = 0; i < bad.size(); ++i) {
    EXPECT_EQ(ini.readInt("N", "k" + std::to_string(i), kDefault), kDefault) << bad[i];
  }
  EXPECT_EQ(ini.readInt("N", "missing", kDefault), kDefault);
  EXPECT_EQ(ini.readInt("Missing", "k0", -1), -1);
}

TEST_F(IniNumberTest, FlagIsSetWhenTheIntegerIsNotZero) {
  const IniDocument ini = Load(
      "[F]\r\nzero=0\r\nzeros=00\r\nhexZero=0x0\r\n"
      "one=1\r\ntwo=2\r\nminus=-1\r\n"
      "true=true\r\nyes=yes\r\nempty=\r\n");
  for (const char* key : {"zero", "zeros", "hexZero"}) {
    EXPECT_FALSE(ini.readFlag("F", key, true)) << key;
  }
  for (const char* key : {"one", "two", "minus"}) {
    EXPECT_TRUE(ini.readFlag("F", key, false)) << key;
  }
  for (const char* key : {"true", "yes", "empty", "missing"}) {
    EXPECT_FALSE(ini.readFlag("F", key, false)) << key;
    EXPECT_TRUE(ini.readFlag("F", key, true)) << key;
  }
}

TEST_F(IniNumberTest, PositionsAndFlagsAreWrittenAsPlainDecimal) {
  IniDocument ini;
  ini.writeInt("N", "none", -1);
  ini.writeInt("N", "first", 0);
  ini.writeInt("N", "big", INT32_MIN);
  ini.writeFlag("N", "set", true);
  ini.writeFlag("N", "clear", false);
  EXPECT_EQ(ini.bytes(), "[N]\r\nnone=-1\r\nfirst=0\r\nbig=-2147483648\r\nset=1\r\nclear=0\r\n");
}

}  // namespace
}  // namespace tracker::testing

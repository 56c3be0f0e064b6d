// Non-ASCII texts: written so that both this editor and the Windows editor
// (which reads the bytes as Windows-1252) read back what was meant.

#include <gtest/gtest.h>

#include <string>

#include "settings/ini_test_support.h"
#include "settings/settings_file.h"
#include "settings/text_encoding.h"
#include "ui/memory_controls.h"

namespace tracker::testing {
namespace {

TEST(TextEncodingTest, EveryWindows1252ByteSurvivesTheRoundTrip) {
  for (int byte = 0x01; byte <= 0xFF; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    const std::string text = Cp1252ToUtf8(one);
    EXPECT_TRUE(IsValidUtf8(text)) << byte;
    EXPECT_EQ(Utf8ToCp1252(text), one) << byte;
  }
  EXPECT_EQ(Cp1252ToUtf8("\x80\x9F\xFF"), "\xE2\x82\xAC\xC5\xB8\xC3\xBF");
}

TEST(TextEncodingTest, RejectsMalformedUtf8) {
  for (const char* bad :
       {"\xC0\x80", "\xED\xA0\x80", "\xF5\x80\x80\x80", "\xC3", "\xE2\x82", "\x80", "a\xFF"}) {
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
    EXPECT_EQ(Utf8ToCp1252(bad), std::nullopt);
  }
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80 plain"));
  EXPECT_EQ(Utf8Prefix("\xC3\xA9\xE2\x82\xAC"
                       "ab",
                       2),
            "\xC3\xA9\xE2\x82\xAC");
}

class EncodedFileTest : public IniFileTest {
 protected:
  std::string SaveApn(const std::string& text) {
    MemoryControls controls;
    controls.setText("APN", text);
    SaveSettingsFile(path(), controls);
    MemoryControls reloaded;
    LoadSettingsFile(path(), reloaded);
    EXPECT_EQ(reloaded.text("APN"), text);
    const std::string bytes = ReadBytes(path());
    const std::size_t start = bytes.find("APN=") + 4;
    return bytes.substr(start, bytes.find("\r\n", start) - start);
  }
};

TEST_F(EncodedFileTest, WritesWindows1252WhenItCanHoldTheText) {
  const std::string stored = SaveApn("Caf\xC3\xA9 \xE2\x82\xAC");  // "Café €"
  EXPECT_EQ(stored, "Caf\xE9 \x80");
  EXPECT_EQ(Cp1252ToUtf8(stored), "Caf\xC3\xA9 \xE2\x82\xAC");  // what the Windows editor shows
}

TEST_F(EncodedFileTest, KeepsUtf8ForTextsWindows1252CannotHoldOrWouldMisread) {
  EXPECT_EQ(SaveApn("\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"),
            "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0");  // "Москва"
  // "Ã©" in Windows-1252 bytes would be the UTF-8 of "é"; it is kept as UTF-8.
  EXPECT_EQ(SaveApn("\xC3\x83\xC2\xA9"), "\xC3\x83\xC2\xA9");
}

TEST_F(EncodedFileTest, ValuesAreDecodedOneByOneInAMixedFile) {
  WriteBytes(path(),
             "; R\xE9glages\r\n[GPRS]\r\nAPN=Z\xFCrich\r\n"
             "APN Name=\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0\r\n");
  MemoryControls controls;
  ASSERT_TRUE(LoadSettingsFile(path(), controls));
  EXPECT_EQ(controls.text("APN"), "Z\xC3\xBCrich");
  EXPECT_EQ(controls.text("APNName"), "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0");
  SaveSettingsFile(path(), controls);
  EXPECT_TRUE(ReadBytes(path()).starts_with("; R\xE9glages\r\n[GPRS]\r\nAPN=Z\xFCrich\r\n"));
}

TEST_F(EncodedFileTest, NeverWritesAByteOrderMark) {
  SaveApn("\xC3\xA9");
  EXPECT_TRUE(ReadBytes(path()).starts_with("[GPRS]\r\n"));
}

}  // namespace
}  // namespace tracker::testing

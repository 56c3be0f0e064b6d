// Reading values: the rules the Windows profile reader follows.

#include <string>

#include "settings/ini_test_support.h"

namespace tracker::testing {
namespace {

using IniReadTest = IniFileTest;

TEST_F(IniReadTest, AcceptsCrlfLfAndCrAloneAsLineEnds) {
  const IniDocument ini = Load("[A]\r\none=1\ntwo=2\rthree=3\r\r\nfour=4");
  EXPECT_EQ(ini.readString("A", "one", "-"), "1");
  EXPECT_EQ(ini.readString("A", "two", "-"), "2");
  EXPECT_EQ(ini.readString("A", "three", "-"), "3");
  EXPECT_EQ(ini.readString("A", "four", "-"), "4");
}

TEST_F(IniReadTest, StripsBlanksAroundNamesAndValuesButKeepsInnerOnes) {
  const IniDocument ini = Load(
      " \t[ My Section ]  trailing text\r\n"
      "  \t Key Name \v=\t value  with\tinner \v \r\n"
      "Split=a=b\r\n");
  EXPECT_EQ(ini.readString("My Section", "Key Name", "-"), "value  with\tinner");
  EXPECT_EQ(ini.readString("My Section", "Split", "-"), "a=b");
}

TEST_F(IniReadTest, HeaderWithoutClosingBracketRunsToLineEnd) {
  const IniDocument ini = Load("[Open \r\nk=v\r\n");
  EXPECT_EQ(ini.readString("Open", "k", "-"), "v");
}

TEST_F(IniReadTest, SemicolonStartsACommentOnlyAtLineStart) {
  const IniDocument ini = Load(
      "[A]\r\n"
      ";hidden=1\r\n"
      "  ; indented=2\r\n"
      "shown=v ;x\r\n"
      "#hash=3\r\n");
  EXPECT_EQ(ini.readString("A", ";hidden", "def"), "def");
  EXPECT_EQ(ini.readString("A", "hidden", "def"), "def");
  EXPECT_EQ(ini.readString("A", "indented", "def"), "def");
  EXPECT_EQ(ini.readString("A", "shown", "def"), "v ;x");
  EXPECT_EQ(ini.readString("A", "#hash", "def"), "3");
}

TEST_F(IniReadTest, LinesBeforeTheFirstSectionCannotBeRead) {
  const IniDocument ini = Load("early=1\r\n[A]\r\nlate=2\r\n");
  EXPECT_EQ(ini.readString("A", "early", "def"), "def");
  EXPECT_EQ(ini.readString("", "early", "def"), "def");
  EXPECT_EQ(ini.readString("A", "late", "def"), "2");
}

TEST_F(IniReadTest, NamesMatchWithoutRegardToAsciiCase) {
  const IniDocument ini = Load("[gPrS]\r\nApN Name=x\r\n");
  EXPECT_EQ(ini.readString("GPRS", "APN NAME", "-"), "x");
  EXPECT_EQ(ini.readString("gprs", "apn name", "-"), "x");
}

TEST_F(IniReadTest, FirstSectionAndFirstKeyOfANameWin) {
  const IniDocument ini = Load(
      "[A]\r\nk=first\r\nK=second\r\n"
      "[B]\r\nb=1\r\n"
      "[a]\r\nk=third\r\nonlyLater=4\r\n");
  EXPECT_EQ(ini.readString("A", "k", "-"), "first");
  EXPECT_EQ(ini.readString("A", "onlyLater", "def"), "def");
}

TEST_F(IniReadTest, RemovesOneMatchingOuterQuotePair) {
  const IniDocument ini = Load(
      "[Q]\r\n"
      "double=\"text\"\r\n"
      "single='text'\r\n"
      "blanks=\"  in side  \"\r\n"
      "mixed=\"text'\r\n"
      "lone=\"\r\n"
      "empty=\"\"\r\n"
      "inner=\"a\"b\"\r\n"
      "twice=\"\"x\"\"\r\n");
  EXPECT_EQ(ini.readString("Q", "double", "-"), "text");
  EXPECT_EQ(ini.readString("Q", "single", "-"), "text");
  EXPECT_EQ(ini.readString("Q", "blanks", "-"), "  in side  ");
  EXPECT_EQ(ini.readString("Q", "mixed", "-"), "\"text'");
  EXPECT_EQ(ini.readString("Q", "lone", "-"), "\"");
  EXPECT_EQ(ini.readString("Q", "empty", "-"), "");
  EXPECT_EQ(ini.readString("Q", "inner", "-"), "a\"b");
  EXPECT_EQ(ini.readString("Q", "twice", "-"), "\"x\"");
}

TEST_F(IniReadTest, EmptyValueIsTextButMissingGivesTheTrimmedDefault) {
  const IniDocument ini = Load("[A]\r\nempty=\r\nnoEquals\r\n");
  EXPECT_EQ(ini.readString("A", "empty", "def"), "");
  EXPECT_EQ(ini.readString("A", "noEquals", "def"), "def");
  EXPECT_EQ(ini.readString("A", "missing", "def  "), "def");
  EXPECT_EQ(ini.readString("Nope", "empty", " def "), " def");
}

TEST_F(IniReadTest, MissingFileReadsDefaultsAndFolderCountsAsMissing) {
  IniDocument ini;
  EXPECT_EQ(ini.load(folder().file("absent.ini")), IniLoad::Missing);
  EXPECT_EQ(ini.readString("A", "k", "def"), "def");
  EXPECT_EQ(ini.load(folder().path().string()), IniLoad::Missing);
}

TEST_F(IniReadTest, CutsValuesTo2047CharactersAfterQuotesAreRemoved) {
  const std::string long3000(3000, 'x');
  const IniDocument ini = Load("[A]\r\nplain=" + long3000 + "\r\nquoted=\"" + long3000 + "\"\r\n");
  EXPECT_EQ(ini.readString("A", "plain", ""), std::string(2047, 'x'));
  EXPECT_EQ(ini.readString("A", "quoted", ""), std::string(2047, 'x'));
}

TEST_F(IniReadTest, SkipsAUtf8ByteOrderMark) {
  const IniDocument ini = Load("\xEF\xBB\xBF[A]\r\nk=v\r\n");
  EXPECT_EQ(ini.readString("A", "k", "-"), "v");
}

TEST_F(IniReadTest, DecodesWindows1252AndUtf8Values) {
  const IniDocument ini = Load(
      "[A]\r\n"
      "latin=Caf\xE9 \x80 5\r\n"
      "utf8=Caf\xC3\xA9 \xE2\x82\xAC 5\r\n"
      "undefined=\x81\r\n");
  EXPECT_EQ(ini.readString("A", "latin", ""), "Caf\xC3\xA9 \xE2\x82\xAC 5");
  EXPECT_EQ(ini.readString("A", "utf8", ""), "Caf\xC3\xA9 \xE2\x82\xAC 5");
  EXPECT_EQ(ini.readString("A", "undefined", ""), "\xC2\x81");
}

}  // namespace
}  // namespace tracker::testing

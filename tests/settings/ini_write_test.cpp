// Writing values: where a write lands, and that nothing else moves.

#include <string>

#include "settings/ini_test_support.h"

namespace tracker::testing {
namespace {

using IniWriteTest = IniFileTest;

TEST_F(IniWriteTest, ReplacesAnExistingKeyInPlaceKeepingSpellingAndLineEnd) {
  IniDocument ini = Load("[gprs]\r\n  Apn \t= old ;x\r\nOther=1\nLast=2");
  ini.writeString("GPRS", "APN", "new");
  ini.writeString("Gprs", "last", "3");
  EXPECT_EQ(ini.bytes(), "[gprs]\r\nApn=new\r\nOther=1\nLast=3");
}

TEST_F(IniWriteTest, AnUnchangedValueLeavesTheLineAsItIs) {
  IniDocument ini = Load("[A]\r\n  Key  =  same  \r\n");
  ini.writeString("A", "key", "same");
  EXPECT_EQ(ini.bytes(), "[A]\r\n  Key  =  same  \r\n");
}

TEST_F(IniWriteTest, ReplacesOnlyTheFirstKeyOfTheFirstSectionOfAName) {
  IniDocument ini = Load("[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n");
  ini.writeString("a", "K", "9");
  ini.writeString("A", "new", "n");
  EXPECT_EQ(ini.bytes(), "[A]\r\nk=9\r\nk=2\r\nnew=n\r\n[a]\r\nk=3\r\n");
}

TEST_F(IniWriteTest, NewKeyGoesAfterTheLastKeyLineBeforeTrailingComments) {
  IniDocument ini = Load("[A]\r\na=1\r\n;between\r\nb=2\r\n; tail\r\n\r\n[B]\r\nb=1\r\n");
  ini.writeString("A", "c", "3");
  ini.writeString("A", "d", "4");
  EXPECT_EQ(ini.bytes(),
            "[A]\r\na=1\r\n;between\r\nb=2\r\nc=3\r\nd=4\r\n; tail\r\n\r\n[B]\r\nb=1\r\n");
}

TEST_F(IniWriteTest, NewKeyOfASectionWithoutKeysFollowsItsHeader) {
  IniDocument ini = Load("[A]\r\n; only a comment\r\n\r\n[B]\r\n");
  ini.writeString("A", "k", "v");
  EXPECT_EQ(ini.bytes(), "[A]\r\nk=v\r\n; only a comment\r\n\r\n[B]\r\n");
}

TEST_F(IniWriteTest, NewKeyAfterALastLineWithoutBreakAddsOne) {
  IniDocument keyed = Load("[A]\r\na=1");
  keyed.writeString("A", "b", "2");
  EXPECT_EQ(keyed.bytes(), "[A]\r\na=1\r\nb=2\r\n");

  IniDocument headerOnly = Load("[A]");
  headerOnly.writeString("A", "b", "2");
  EXPECT_EQ(headerOnly.bytes(), "[A]\r\nb=2\r\n");
}

TEST_F(IniWriteTest, NewSectionIsAppendedWithoutABlankLine) {
  IniDocument ended = Load("[A]\r\na=1\r\n");
  ended.writeString("B", "k", "v");
  ended.writeString("B", "j", "w");
  EXPECT_EQ(ended.bytes(), "[A]\r\na=1\r\n[B]\r\nk=v\r\nj=w\r\n");

  IniDocument unended = Load("[A]\na=1");
  unended.writeString("B", "k", "v");
  EXPECT_EQ(unended.bytes(), "[A]\na=1\r\n[B]\r\nk=v\r\n");

  IniDocument crEnded = Load("[A]\ra=1\r");
  crEnded.writeString("B", "k", "v");
  EXPECT_EQ(crEnded.bytes(), "[A]\ra=1\r[B]\r\nk=v\r\n");

  IniDocument fresh;
  fresh.writeString("B", "k", "v");
  EXPECT_EQ(fresh.bytes(), "[B]\r\nk=v\r\n");
}

TEST_F(IniWriteTest, KeyLineWithoutEqualsIsReplacedByTheWrite) {
  IniDocument ini = Load("[A]\r\nflag\r\n");
  EXPECT_EQ(ini.readString("A", "flag", "def"), "def");
  ini.writeFlag("A", "FLAG", true);
  EXPECT_EQ(ini.bytes(), "[A]\r\nflag=1\r\n");
}

TEST_F(IniWriteTest, ValuesThatWouldNotReadBackAreQuotedLineBreaksAreBlanks) {
  IniDocument ini;
  ini.writeString("A", "padded", " x ");
  ini.writeString("A", "quoted", "\"q\"");
  ini.writeString("A", "single", "'q'");
  ini.writeString("A", "tab", "x\t");
  ini.writeString("A", "half", "\"q");
  ini.writeString("A", "broken", "a\r\nb\rc\nd");
  EXPECT_EQ(ini.bytes(),
            "[A]\r\npadded=\" x \"\r\nquoted=\"\"q\"\"\r\nsingle=\"'q'\"\r\ntab=\"x\t\"\r\n"
            "half=\"q\r\nbroken=a  b c d\r\n");
  // The Windows reader trims and takes off one quote pair: each reads back exactly.
  for (const char* key : {"padded", "quoted", "single", "tab", "half"}) {
    const IniDocument reread(ini.bytes());
    EXPECT_EQ(reread.readString("A", key, "-"), ini.readString("A", key, "-")) << key;
  }
  EXPECT_EQ(ini.readString("A", "padded", ""), " x ");
  EXPECT_EQ(ini.readString("A", "quoted", ""), "\"q\"");
  EXPECT_EQ(ini.readString("A", "half", ""), "\"q");
}

TEST_F(IniWriteTest, KeepsEverythingItDoesNotTouchByteForByte) {
  const std::string before =
      "\xEF\xBB\xBF"
      "; written by hand\r\n"
      "stray=before any section\n"
      "\r\n"
      "[Other]\r\n"
      "  keep = \"me\" ;as is\r\n"
      "\r\n"
      "[Main]\r\n"
      "Speeding = 80\r\n"
      "; comment after keys\r\n"
      "\r"
      "[Tail]\n"
      "x=\xE9t\xE9";
  IniDocument ini = Load(before);
  ini.writeString("Main", "Speeding", "90");
  ini.writeString("Main", "Low Speed", "5");
  ini.writeString("New", "k", "v");
  // The byte-order mark is not written back.
  EXPECT_EQ(ini.bytes(),
            "; written by hand\r\n"
            "stray=before any section\n"
            "\r\n"
            "[Other]\r\n"
            "  keep = \"me\" ;as is\r\n"
            "\r\n"
            "[Main]\r\n"
            "Speeding=90\r\n"
            "Low Speed=5\r\n"
            "; comment after keys\r\n"
            "\r"
            "[Tail]\n"
            "x=\xE9t\xE9\r\n"
            "[New]\r\nk=v\r\n");
}

TEST_F(IniWriteTest, NoChangeGivesTheLoadedBytesBack) {
  const std::string odd = "junk\r\r\n\n[ A ]x\r\n\tk\v=\v\"v\"\r\n[A]\r\n;c";
  EXPECT_EQ(Load(odd).bytes(), odd);
}

}  // namespace
}  // namespace tracker::testing

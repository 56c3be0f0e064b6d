// Writing values: where a write lands, and that nothing else moves.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/ini_test_support.h"

namespace tracker::testing {
namespace {

using IniWriteTest = IniFileTest;

struct WriteCase {
  struct Write {
    const char* section;
    const char* key;
    const char* value;
  };
  // A constructor, not an aggregate: clang 14 makes aggregates from braces only.
  WriteCase(const char* name, std::optional<std::string> before, std::vector<Write> writes,
            std::string after)
      : name(name), before(std::move(before)), writes(std::move(writes)), after(std::move(after)) {}

  const char* name;
  std::optional<std::string> before;  // none: a document that was never loaded
  std::vector<Write> writes;
  std::string after;
};

TEST_F(IniWriteTest, WritesLandWhereTheWindowsWriterPutsThem) {
  const WriteCase cases[] = {
      WriteCase("an existing key is replaced in place, keeping its spelling and line end",
                "[gprs]\r\n  Apn \t= old ;x\r\nOther=1\nLast=2",
                {{"GPRS", "APN", "new"}, {"Gprs", "last", "3"}},
                "[gprs]\r\nApn=new\r\nOther=1\nLast=3"),
      WriteCase("an unchanged value leaves the line as it is", "[A]\r\n  Key  =  same  \r\n",
                {{"A", "key", "same"}}, "[A]\r\n  Key  =  same  \r\n"),
      WriteCase("only the first key of the first section of a name is replaced",
                "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n", {{"a", "K", "9"}, {"A", "new", "n"}},
                "[A]\r\nk=9\r\nk=2\r\nnew=n\r\n[a]\r\nk=3\r\n"),
      WriteCase("a new key goes after the last key line, before trailing comments",
                "[A]\r\na=1\r\n;between\r\nb=2\r\n; tail\r\n\r\n[B]\r\nb=1\r\n",
                {{"A", "c", "3"}, {"A", "d", "4"}},
                "[A]\r\na=1\r\n;between\r\nb=2\r\nc=3\r\nd=4\r\n; tail\r\n\r\n[B]\r\nb=1\r\n"),
      WriteCase("a new key of a section without keys follows its header",
                "[A]\r\n; only a comment\r\n\r\n[B]\r\n", {{"A", "k", "v"}},
                "[A]\r\nk=v\r\n; only a comment\r\n\r\n[B]\r\n"),
      WriteCase("a new key after a last line without a break adds one", "[A]\r\na=1",
                {{"A", "b", "2"}}, "[A]\r\na=1\r\nb=2\r\n"),
      WriteCase("so does one after a header without a break", "[A]", {{"A", "b", "2"}},
                "[A]\r\nb=2\r\n"),
      WriteCase("a new section is appended without a blank line", "[A]\r\na=1\r\n",
                {{"B", "k", "v"}, {"B", "j", "w"}}, "[A]\r\na=1\r\n[B]\r\nk=v\r\nj=w\r\n"),
      WriteCase("after a last line without a break, one is added", "[A]\na=1", {{"B", "k", "v"}},
                "[A]\na=1\r\n[B]\r\nk=v\r\n"),
      WriteCase("a last line ended by CR alone needs none", "[A]\ra=1\r", {{"B", "k", "v"}},
                "[A]\ra=1\r[B]\r\nk=v\r\n"),
      WriteCase("a document never loaded starts with the section", std::nullopt, {{"B", "k", "v"}},
                "[B]\r\nk=v\r\n"),
  };
  for (const WriteCase& c : cases) {
    IniDocument ini;
    if (c.before) ini = Load(*c.before);
    for (const WriteCase::Write& w : c.writes) ini.writeString(w.section, w.key, w.value);
    EXPECT_EQ(ini.bytes(), c.after) << c.name;
  }
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
  // What comes before the written key and after the added one.
  const std::string head =
      "; written by hand\r\n"
      "stray=before any section\n"
      "\r\n"
      "[Other]\r\n"
      "  keep = \"me\" ;as is\r\n"
      "\r\n"
      "[Main]\r\n";
  const std::string tail =
      "; comment after keys\r\n"
      "\r"
      "[Tail]\n"
      "x=\xE9t\xE9";
  IniDocument ini = Load("\xEF\xBB\xBF" + head + "Speeding = 80\r\n" + tail);
  ini.writeString("Main", "Speeding", "90");
  ini.writeString("Main", "Low Speed", "5");
  ini.writeString("New", "k", "v");
  // The byte-order mark is not written back.
  EXPECT_EQ(ini.bytes(), head + "Speeding=90\r\nLow Speed=5\r\n" + tail + "\r\n[New]\r\nk=v\r\n");
}

TEST_F(IniWriteTest, NoChangeGivesTheLoadedBytesBack) {
  const std::string odd = "junk\r\r\n\n[ A ]x\r\n\tk\v=\v\"v\"\r\n[A]\r\n;c";
  EXPECT_EQ(Load(odd).bytes(), odd);
}

}  // namespace
}  // namespace tracker::testing

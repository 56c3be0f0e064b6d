// Reading values: the rules the Windows profile reader follows.

#include <string>
#include <vector>

#include "settings/ini_test_support.h"

namespace tracker::testing {
namespace {

using IniReadTest = IniFileTest;

// One read from the case's section: key and default, and the text it should give.
struct Read {
  const char* key;
  const char* fallback;
  std::string expected;
};

struct ReadCase {
  const char* name;
  std::string bytes;
  const char* section;
  std::vector<Read> reads;
};

TEST_F(IniReadTest, ReadsWhatTheWindowsReaderReads) {
  const std::string long3000(3000, 'x');
  const std::string comments = "[A]\r\n;hidden=1\r\n  ; indented=2\r\nshown=v ;x\r\n#hash=3\r\n";
  const std::string early = "early=1\r\n[A]\r\nlate=2\r\n";
  const std::string empty = "[A]\r\nempty=\r\nnoEquals\r\n";
  const ReadCase cases[] = {
      {"CR LF, LF and CR alone end lines",
       "[A]\r\none=1\ntwo=2\rthree=3\r\r\nfour=4",
       "A",
       {{"one", "-", "1"}, {"two", "-", "2"}, {"three", "-", "3"}, {"four", "-", "4"}}},
      {"blanks around names and values go, inner ones stay",
       " \t[ My Section ]  trailing text\r\n"
       "  \t Key Name \v=\t value  with\tinner \v \r\n"
       "Split=a=b\r\n",
       "My Section",
       {{"Key Name", "-", "value  with\tinner"}, {"Split", "-", "a=b"}}},
      {"a header without its closing bracket runs to the line end",
       "[Open \r\nk=v\r\n",
       "Open",
       {{"k", "-", "v"}}},
      {"a semicolon at the line start starts a comment",
       comments,
       "A",
       {{";hidden", "def", "def"}, {"hidden", "def", "def"}, {"indented", "def", "def"}}},
      {"elsewhere it is text, and so is a hash",
       comments,
       "A",
       {{"shown", "def", "v ;x"}, {"#hash", "def", "3"}}},
      {"lines before the first section cannot be read",
       early,
       "A",
       {{"early", "def", "def"}, {"late", "def", "2"}}},
      {"nor through the empty section name", early, "", {{"early", "def", "def"}}},
      {"names match without regard to ASCII case",
       "[gPrS]\r\nApN Name=x\r\n",
       "GPRS",
       {{"APN NAME", "-", "x"}}},
      {"the same in lower case", "[gPrS]\r\nApN Name=x\r\n", "gprs", {{"apn name", "-", "x"}}},
      {"the first section and the first key of a name win",
       "[A]\r\nk=first\r\nK=second\r\n[B]\r\nb=1\r\n[a]\r\nk=third\r\nonlyLater=4\r\n",
       "A",
       {{"k", "-", "first"}, {"onlyLater", "def", "def"}}},
      {"one matching outer quote pair goes",
       "[Q]\r\ndouble=\"text\"\r\nsingle='text'\r\nblanks=\"  in side  \"\r\nmixed=\"text'\r\n"
       "lone=\"\r\nempty=\"\"\r\ninner=\"a\"b\"\r\ntwice=\"\"x\"\"\r\n",
       "Q",
       {{"double", "-", "text"},
        {"single", "-", "text"},
        {"blanks", "-", "  in side  "},
        {"mixed", "-", "\"text'"},
        {"lone", "-", "\""},
        {"empty", "-", ""},
        {"inner", "-", "a\"b"},
        {"twice", "-", "\"x\""}}},
      {"an empty value is text, a missing one gives the trimmed default",
       empty,
       "A",
       {{"empty", "def", ""}, {"noEquals", "def", "def"}, {"missing", "def  ", "def"}}},
      {"so does a missing section", empty, "Nope", {{"empty", " def ", " def"}}},
      {"values are cut to 2047 characters after quotes are removed",
       "[A]\r\nplain=" + long3000 + "\r\nquoted=\"" + long3000 + "\"\r\n",
       "A",
       {{"plain", "", std::string(2047, 'x')}, {"quoted", "", std::string(2047, 'x')}}},
      {"a UTF-8 byte-order mark is skipped", "\xEF\xBB\xBF[A]\r\nk=v\r\n", "A", {{"k", "-", "v"}}},
      {"Windows-1252 and UTF-8 values are decoded",
       "[A]\r\nlatin=Caf\xE9 \x80 5\r\nutf8=Caf\xC3\xA9 \xE2\x82\xAC 5\r\nundefined=\x81\r\n",
       "A",
       {{"latin", "", "Caf\xC3\xA9 \xE2\x82\xAC 5"},
        {"utf8", "", "Caf\xC3\xA9 \xE2\x82\xAC 5"},
        {"undefined", "", "\xC2\x81"}}},
  };
  for (const ReadCase& c : cases) {
    const IniDocument ini = Load(c.bytes);
    for (const Read& r : c.reads) {
      EXPECT_EQ(ini.readString(c.section, r.key, r.fallback), r.expected)
          << c.name << ": [" << c.section << "] " << r.key;
    }
  }
}

TEST_F(IniReadTest, MissingFileReadsDefaultsAndFolderCountsAsMissing) {
  IniDocument ini;
  EXPECT_EQ(ini.load(folder().file("absent.ini")), IniLoad::Missing);
  EXPECT_EQ(ini.readString("A", "k", "def"), "def");
  EXPECT_EQ(ini.load(folder().path().string()), IniLoad::Missing);
}

}  // namespace
}  // namespace tracker::testing

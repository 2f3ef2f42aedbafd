#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "toolkit/core/PreferenceFile.h"

namespace toolkit {
namespace {

using namespace std::string_literals;

const std::string kMark = "\xEF\xBB\xBF";

TEST(PreferenceFile, ParsesLineKindsAndNormalisesThem) {
  const PreferenceFile file = PreferenceFile::Parse(kMark +
                                                    "\n"
                                                    "  ;no blank\n"
                                                    ";  two blanks\n"
                                                    "\t Key \t=  \tvalue with = inside \n"
                                                    "\n"
                                                    "   \n"
                                                    "bare line\n"
                                                    "=orphan\n"
                                                    "[Group] trailing\n"
                                                    "[unclosed\n");
  EXPECT_EQ(file.Serialize(), kMark +
                                  "\n"
                                  "; no blank\n"
                                  ";  two blanks\n"
                                  "Key=value with = inside \n"
                                  "bare line=\n"
                                  "=orphan\n"
                                  "[Group]\n"
                                  "[unclosed]\n");
}

TEST(PreferenceFile, AnyLineEndEndsALine) {
  for (const char* end : {"\n", "\r", "\r\n"}) {
    const PreferenceFile file =
        PreferenceFile::Parse(kMark + end + "A=1" + end + "B=2" + end + end + "C=3");
    EXPECT_EQ(file.ReadInteger("A", -1), 1);
    EXPECT_EQ(file.ReadInteger("B", -1), 2);
    EXPECT_EQ(file.ReadInteger("C", -1), 3);
    EXPECT_EQ(file.Lines().size(), 3u);
  }
}

TEST(PreferenceFile, ByteOrderMarkDecidesTheEncoding) {
  EXPECT_EQ(PreferenceFile::Parse("FontName=Schrift\xE4\n").ReadText("FontName", ""),
            "Schrift\xC3\xA4");
  EXPECT_EQ(PreferenceFile::Parse(kMark + "FontName=Schrift\xC3\xA4\n").ReadText("FontName", ""),
            "Schrift\xC3\xA4");
  // Invalid UTF-8 after the mark is made valid rather than kept.
  EXPECT_EQ(PreferenceFile::Parse(kMark + "FontName=a\xE4z\n").ReadText("FontName", ""),
            "a\xEF\xBF\xBDz");
}

TEST(PreferenceFile, NulBytesBecomeReplacementCharacters) {
  for (const std::string& prefix : {""s, kMark}) {
    const PreferenceFile file = PreferenceFile::Parse(prefix + "A\0=1\nB=x\0y\n\0\n"s);
    EXPECT_EQ(file.ReadText("B", ""), "x\xEF\xBF\xBDy");
    EXPECT_EQ(file.Serialize().find('\0'), std::string::npos);
  }
}

TEST(PreferenceFile, ReadsOnlyTheFirstKeyBeforeTheFirstGroup) {
  const PreferenceFile file = PreferenceFile::Parse(
      "fontsize=12\n"
      "FONTSIZE=13\n"
      "Name=  padded \t\n"
      "[Other]\n"
      "Hidden=1\n");
  EXPECT_EQ(file.ReadInteger("FontSize", 0), 12);
  EXPECT_EQ(file.ReadText("Name", ""), "padded");
  EXPECT_EQ(file.Value("Name"), "padded \t");
  EXPECT_EQ(file.ReadInteger("Hidden", -5), -5);
  EXPECT_EQ(file.ReadText("Missing", "fallback"), "fallback");
  // Only ASCII letters fold: "Ä" and "ä" are different keys.
  EXPECT_EQ(PreferenceFile::Parse(kMark + "\xC3\x84=1").ReadInteger("\xC3\xA4", 7), 7);
}

TEST(PreferenceFile, LeadingIntegerSaturates) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  struct Case {
    const char* text;
    std::int64_t value;
  };
  const Case cases[] = {
      {"42", 42},
      {" \t-17", -17},
      {"+8", 8},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"- 5", 0},
      {"9223372036854775807", kMax},
      {"9223372036854775808", kMax},
      {"99999999999999999999", kMax},
      {"-9223372036854775808", kMin},
      {"-9223372036854775809", kMin},
      {"-99999999999999999999999999", kMin},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseLeadingInteger(c.text), c.value) << c.text;
}

TEST(PreferenceFile, WriteReplacesFirstOccurrenceInPlaceWithProgramSpelling) {
  PreferenceFile file = PreferenceFile::Parse(
      "a=1\n"
      "fontsize = 30\n"
      "FontSize=31\n"
      "z=2\n");
  file.WriteInteger("FontSize", 11);
  EXPECT_EQ(file.Serialize(), kMark + "\na=1\nFontSize=11\nFontSize=31\nz=2\n");
}

TEST(PreferenceFile, MissingKeysGoBeforeTheFirstGroup) {
  struct Case {
    const char* input;
    const char* output;
  };
  const Case cases[] = {
      {"", "New=v\n"},
      {"a=1\n", "a=1\nNew=v\n"},
      {"a=1\n[G]\nNew=old\n", "a=1\nNew=v\n[G]\nNew=old\n"},
      {"[G]\na=1\n", "New=v\n[G]\na=1\n"},
  };
  for (const Case& c : cases) {
    PreferenceFile file = PreferenceFile::Parse(c.input);
    file.WriteText("New", "v");
    EXPECT_EQ(file.Serialize(), kMark + "\n" + c.output) << c.input;
  }
}

TEST(PreferenceFile, CommentFollowsTheLineWrittenLast) {
  PreferenceFile fresh;
  fresh.WriteComment("first");
  fresh.WriteText("A", "1");
  fresh.WriteComment("second");
  fresh.WriteComment("third");
  fresh.WriteText("B", "2");
  EXPECT_EQ(fresh.Serialize(), kMark + "\n; first\nA=1\n; second\n; third\nB=2\n");

  PreferenceFile existing = PreferenceFile::Parse("A=1\nB=2\n[G]\n");
  existing.WriteComment("top");
  existing.WriteText("A", "3");
  existing.WriteComment("after A");
  existing.WriteText("C", "4");
  existing.WriteComment("after C");
  EXPECT_EQ(existing.Serialize(), kMark + "\n; top\nA=3\n; after A\nB=2\nC=4\n; after C\n[G]\n");
}

TEST(PreferenceFile, LineBreaksInWrittenTextCannotAddLines) {
  PreferenceFile file;
  file.WriteText("CodeEditorPath", "/bin/ed\nFontSize=99\r");
  file.WriteComment("two\nlines");
  EXPECT_EQ(file.Serialize(), kMark + "\nCodeEditorPath=/bin/ed FontSize=99 \n; two lines\n");
  EXPECT_EQ(PreferenceFile::Parse(file.Serialize()).ReadInteger("FontSize", 10), 10);
}

TEST(PreferenceFile, LongLineIsKeptWhole) {
  const std::string value(2 * 1024 * 1024, 'v');
  PreferenceFile file = PreferenceFile::Parse("Long=" + value + "\nShort=1\n");
  EXPECT_EQ(file.ReadText("Long", ""), value);
  file.WriteText("Short", "2");
  EXPECT_EQ(file.Serialize(), kMark + "\nLong=" + value + "\nShort=2\n");
}

}  // namespace
}  // namespace toolkit

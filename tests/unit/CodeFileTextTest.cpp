#include <gtest/gtest.h>

#include <random>
#include <string>

#include "codeview/core/CodeFileText.h"
#include "toolkit/core/TextEncoding.h"

namespace codeview {
namespace {

using namespace std::string_literals;

const std::string kFffd = "\xEF\xBF\xBD";
const std::string kUtf8Mark = "\xEF\xBB\xBF";
const std::string kUtf16Mark = "\xFF\xFE";

// ASCII text as UTF-16 little-endian bytes.
std::string Utf16(std::string_view ascii) {
  std::string bytes;
  for (const char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

TEST(CodeFileText, DecodesEachEncoding) {
  const CodeFileText utf8 = DecodeCodeFile(kUtf8Mark + "K\xC3\xB6nig \xE2\x9C\xB0");
  EXPECT_EQ(utf8.text, "K\xC3\xB6nig \xE2\x9C\xB0");
  EXPECT_TRUE(utf8.sourceIsUtf8);

  // "ö", then U+1F600 as the surrogate pair D83D DE00.
  const CodeFileText utf16 = DecodeCodeFile(kUtf16Mark + "\xF6\0"s + "\x3D\xD8\x00\xDE"s + "a\0"s);
  EXPECT_EQ(utf16.text,
            "\xC3\xB6\xF0\x9F\x98\x80"
            "a");
  EXPECT_FALSE(utf16.sourceIsUtf8);

  const CodeFileText latin1 = DecodeCodeFile("\xE4\xF6");
  EXPECT_EQ(latin1.text, "\xC3\xA4\xC3\xB6");
  EXPECT_FALSE(latin1.sourceIsUtf8);

  // Other marks (UTF-16BE, UTF-32 either way) are dropped and the rest read
  // byte by byte.
  for (const std::string& mark : {"\xFE\xFF"s, "\xFF\xFE\0\0"s, "\0\0\xFE\xFF"s}) {
    EXPECT_EQ(DecodeCodeFile(mark + "a\xE4").text, "a\xC3\xA4");
  }
  // A mark cut short is no mark.
  EXPECT_EQ(DecodeCodeFile("\xEF\xBB").text, "\xC3\xAF\xC2\xBB");
  EXPECT_EQ(DecodeCodeFile(kUtf8Mark).text, "");
  EXPECT_EQ(DecodeCodeFile("").text, "");
}

TEST(CodeFileText, InvalidInputBecomesReplacementCharacters) {
  EXPECT_EQ(DecodeCodeFile(kUtf8Mark + "a\xF6"
                                       "b\xE2\x9C")
                .text,
            "a" + kFffd + "b" + kFffd);
  EXPECT_EQ(DecodeCodeFile(kUtf8Mark + "a\0b"s).text, "a" + kFffd + "b");
  EXPECT_EQ(DecodeCodeFile("a\0b"s).text, "a" + kFffd + "b");
  EXPECT_EQ(DecodeCodeFile(kUtf16Mark + Utf16("a") + "\0\0"s + Utf16("b")).text, "a" + kFffd + "b");
  // A high surrogate before an ordinary unit, then a low one on its own;
  // the unit after the broken pair is kept.
  EXPECT_EQ(DecodeCodeFile(kUtf16Mark +
                           "\x3D\xD8"
                           "a\0"s +
                           "\x00\xDE"s)
                .text,
            kFffd + "a" + kFffd);
  EXPECT_EQ(DecodeCodeFile(kUtf16Mark + "\x3D\xD8"s).text, kFffd);
  EXPECT_EQ(DecodeCodeFile(kUtf16Mark + Utf16("ab") + "c").text, "ab" + kFffd);
}

TEST(CodeFileText, ResultIsAlwaysValidUtf8WithoutNulOrCarriageReturn) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  const std::string marks[] = {"", kUtf8Mark, kUtf16Mark, "\xFE\xFF"};
  for (int round = 0; round < 400; ++round) {
    std::string bytes = marks[round % 4];
    const int length = round % 37;
    for (int i = 0; i < length; ++i) bytes += static_cast<char>(byte(random));
    const std::string text = DecodeCodeFile(bytes).text;
    EXPECT_EQ(toolkit::ValidUtf8(text), text);
    EXPECT_EQ(text.find_first_of("\r\0"s), std::string::npos);
  }
}

TEST(CodeFileText, SplitsLinesAtEachLineEnd) {
  EXPECT_EQ(DecodeCodeFile("a\nb\r\nc\rd").text, "a\nb\nc\nd");
  EXPECT_EQ(DecodeCodeFile("a\n").text, "a");
  EXPECT_EQ(DecodeCodeFile("a\r\n").text, "a");
  EXPECT_EQ(DecodeCodeFile("a\n\n").text, "a\n");
  EXPECT_EQ(DecodeCodeFile("a\r\rb").text, "a\n\nb");
  EXPECT_EQ(DecodeCodeFile("a\n\r\nb").text, "a\n\nb");
  EXPECT_EQ(DecodeCodeFile("\nb").text, "\nb");
  EXPECT_EQ(DecodeCodeFile(kUtf16Mark + Utf16("a\r\nb\rc")).text, "a\nb\nc");
}

TEST(CodeFileText, RemovesLeadingQuestionMarks) {
  EXPECT_EQ(DecodeCodeFile("??x = 1 ?\n???\nb").text, "x = 1 ?\n\nb");
}

TEST(CodeFileText, HidesTheOptionsBlock) {
  const CodeFileText plain = DecodeCodeFile(
      "; EnableUnicode\nshown\n; IDE Options = 5.0\n; EnableUnicode\n"
      "not shown\r\n; IDE Options = again");
  EXPECT_EQ(plain.text, "; EnableUnicode\nshown");
  EXPECT_TRUE(plain.executableUnicode);

  const CodeFileText outside = DecodeCodeFile("; EnableUnicode\na\n; IDE Options = x\n; Folding");
  EXPECT_EQ(outside.text, "; EnableUnicode\na");
  EXPECT_FALSE(outside.executableUnicode);

  // Question marks go before the test, in the block as well.
  const CodeFileText marked =
      DecodeCodeFile(kUtf8Mark + "a\n??; IDE Options = x\n?; EnableUnicode");
  EXPECT_EQ(marked.text, "a");
  EXPECT_TRUE(marked.executableUnicode);

  // The whole 16-character prefix must match; a first line can start it.
  EXPECT_EQ(DecodeCodeFile("; IDE Options =\n ; IDE Options = \nb").text,
            "; IDE Options =\n ; IDE Options = \nb");
  EXPECT_EQ(DecodeCodeFile(kUtf16Mark + Utf16("; IDE Options = \na")).text, "");
}

TEST(CodeFileText, FindsTheExtension) {
  struct Case {
    std::string path;
    std::string extension;
  };
  const Case cases[] = {
      {"a.ox", "ox"},
      {"/lib/a.OX", "OX"},
      {"noext", ""},
      {"dir.d/file", ""},
      {"a b.ox", "ox"},
      {"x.o x", ""},
      {"/.ox", ""},
      {"dir\\.ox", ""},
      {".ox", ""},
      {"file.ox\"", "ox"},
      {"\"file.ox\"", "ox"},
      {"a.i;ox", "i;ox"},
      {"a.b.oxi", "oxi"},
      {"a.", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CodeFileExtension(c.path), c.extension) << c.path;
}

TEST(CodeFileText, AcceptsFragmentsOfTheExtensionList) {
  for (const char* accepted : {"ox", "oxi", "oxf", "x", "o", "i;ox"}) {
    EXPECT_TRUE(IsCodeExtension(accepted)) << accepted;
  }
  for (const char* refused : {"", "OX", "txt", "oxo", "oxf;", "ox "}) {
    EXPECT_FALSE(IsCodeExtension(refused)) << refused;
  }
}

}  // namespace
}  // namespace codeview

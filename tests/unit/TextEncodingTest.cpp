#include <gtest/gtest.h>

#include <string>

#include "toolkit/core/TextEncoding.h"

namespace toolkit {
namespace {

using namespace std::string_literals;

const std::string kFffd = "\xEF\xBF\xBD";

TEST(TextEncoding, Latin1BytesBecomeTheirCharacters) {
  EXPECT_EQ(Latin1ToUtf8("Courier"), "Courier");
  EXPECT_EQ(Latin1ToUtf8("K\xF6nig \xA0\xFF"), "K\xC3\xB6nig \xC2\xA0\xC3\xBF");
  EXPECT_EQ(Latin1ToUtf8("a\0b"s), "a" + kFffd + "b");
}

TEST(TextEncoding, InvalidSequencesBecomeOneReplacementEach) {
  struct Case {
    std::string input;
    std::string output;
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"\xC3\xB6 \xE2\x9C\xB0 \xF0\x9F\x98\x80", "\xC3\xB6 \xE2\x9C\xB0 \xF0\x9F\x98\x80"},
      {"a\0b"s, "a" + kFffd + "b"},
      {"\xF6", kFffd},                                      // a Latin-1 byte on its own
      {"\x80\xBF", kFffd + kFffd},                          // stray continuation bytes
      {"\xC0\x80", kFffd + kFffd},                          // overlong NUL
      {"\xE0\x80\xAF", kFffd + kFffd + kFffd},              // overlong three-byte form
      {"\xED\xA0\x80", kFffd + kFffd + kFffd},              // surrogate
      {"\xF4\x90\x80\x80", kFffd + kFffd + kFffd + kFffd},  // above U+10FFFF
      {"\xF5\x80", kFffd + kFffd},
      {"\xE2\x9C", kFffd},                           // truncated at the end
      {"\xE2\x9Cx", kFffd + "x"},                    // truncated before ASCII
      {"\xF0\x9F\x98\xC3\xB6", kFffd + "\xC3\xB6"},  // truncated before a valid sequence
      {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", "\xEF\xBF\xBF\xF4\x8F\xBF\xBF"},  // largest values
  };
  for (const Case& c : cases) EXPECT_EQ(ValidUtf8(c.input), c.output) << c.input;
}

TEST(TextEncoding, CountsAndCutsByCharacters) {
  const std::string text = "a\xC3\xB6\xE2\x9C\xB0\xF0\x9F\x98\x80z";
  EXPECT_EQ(CountCharacters(text), 5u);
  EXPECT_EQ(CountCharacters(""), 0u);
  EXPECT_EQ(FirstCharacters(text, 0), "");
  EXPECT_EQ(FirstCharacters(text, 2), "a\xC3\xB6");
  EXPECT_EQ(FirstCharacters(text, 3), "a\xC3\xB6\xE2\x9C\xB0");
  EXPECT_EQ(FirstCharacters(text, 4), "a\xC3\xB6\xE2\x9C\xB0\xF0\x9F\x98\x80");
  EXPECT_EQ(FirstCharacters(text, 5), text);
  EXPECT_EQ(FirstCharacters(text, 99), text);
}

}  // namespace
}  // namespace toolkit

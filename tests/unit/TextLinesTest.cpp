// Splitting texts into lines.
#include <gtest/gtest.h>

#include "toolkit/core/TextLines.h"

namespace toolkit {
namespace {

TEST(TextLines, LinesEndAtLineFeedCarriageReturnOrBoth) {
  using Lines = std::vector<std::string_view>;
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\n"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("\n\r\n\r"), (Lines{"", "", ""}));
  EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"})) << "LF CR is two line ends";
  EXPECT_EQ(SplitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
}

}  // namespace
}  // namespace toolkit

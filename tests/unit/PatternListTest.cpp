#include <gtest/gtest.h>

#include "toolkit/core/PatternList.h"

namespace toolkit {
namespace {

TEST(PatternList, LabelsAndPatternsAlternate) {
  const auto filters = ParsePatternList("XML files (*.xml)|*.xml");
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0].label, "XML files (*.xml)");
  EXPECT_EQ(filters[0].patterns, std::vector<std::string>{"*.xml"});
}

TEST(PatternList, OneLabelMayHaveSeveralPatterns) {
  const auto filters = ParsePatternList("Code|*.ox;*.oxi; *.oxf |Text|*.txt");
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.ox", "*.oxi", "*.oxf"}));
  EXPECT_EQ(filters[1].label, "Text");
  EXPECT_EQ(filters[1].patterns, std::vector<std::string>{"*.txt"});
}

TEST(PatternList, StarDotStarMeansEveryFile) {
  const auto filters = ParsePatternList("All files|*.*|XML|*.xml;*.*");
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0].patterns, std::vector<std::string>{"*"});
  EXPECT_EQ(filters[1].patterns, (std::vector<std::string>{"*.xml", "*"}));
}

TEST(PatternList, IncompleteOrEmptyEntriesAreDropped) {
  EXPECT_TRUE(ParsePatternList("").empty());
  EXPECT_TRUE(ParsePatternList("Only a label").empty());
  EXPECT_TRUE(ParsePatternList("Label|;;").empty());
  const auto filters = ParsePatternList("A|*.a|Dangling");
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0].label, "A");
}

}  // namespace
}  // namespace toolkit

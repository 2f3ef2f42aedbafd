// The highlighter's ranges on small code files with hand-written expected
// results (tests/data/highlight/NAME.ox and NAME.expected), and the line
// index that turns offsets into text-buffer positions.
//
// Expected-file format, one item per line, blank lines and lines starting
// with "#" ignored:
//   codemarks N                       the CodeMarks value to scan with (first)
//   TAG START END [TEXT]              per tag in creation order (BlueBold,
//                                     FBold, Constant, Function, FuncCall,
//                                     Literal, Disable), the bytes it covers as
//                                     merged non-empty ranges, by start; TEXT
//                                     is the covered text
//   name [NAME]                       procedureNames, in order
//   link START END [TARGET]           the topic links, in order
// In TEXT, NAME and TARGET a line feed is written \n, CR \r, tab \t, a
// backslash \\ and U+2029 \u2029. Offsets are bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "codeview/core/HighlightRanges.h"
#include "unit/HighlightReference.h"

namespace codeview {
namespace {

using highlight_reference::Escaped;

std::filesystem::path CaseFolder() {
  const char* data = std::getenv("ORVEX_TEST_DATA");
  return std::filesystem::path(data != nullptr ? data : "tests/data") / "highlight";
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The result as the lines of an expected file (without "codemarks").
std::string Described(std::string_view text, const HighlightRanges& result) {
  std::ostringstream out;
  for (std::size_t tag = 0; tag < kTagCount; ++tag) {
    std::vector<bool> covered(text.size(), false);
    for (const TextRange& range : result.ranges[tag]) {
      for (std::size_t i = range.start; i < range.end; ++i) covered[i] = true;
    }
    for (std::size_t i = 0; i < text.size();) {
      if (!covered[i]) {
        ++i;
        continue;
      }
      const std::size_t start = i;
      while (i < text.size() && covered[i]) ++i;
      out << kTagNames[tag] << " " << start << " " << i << " ["
          << Escaped(text.substr(start, i - start)) << "]\n";
    }
  }
  for (const std::string& name : result.procedureNames) out << "name [" << Escaped(name) << "]\n";
  for (const TopicLink& link : result.links)
    out << "link " << link.targetStart << " " << link.targetEnd << " [" << Escaped(link.target)
        << "]\n";
  return out.str();
}

struct ExpectedFile {
  std::int64_t codeMarks = -1;
  std::string lines;
};

ExpectedFile ParseExpected(const std::string& content) {
  ExpectedFile expected;
  std::istringstream in(content);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("codemarks ", 0) == 0) {
      expected.codeMarks = std::stoll(line.substr(10));
      continue;
    }
    expected.lines += line + "\n";
  }
  return expected;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(CaseFolder(), error)) {
    if (entry.path().extension() == ".ox") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class HighlightRangesFile : public testing::TestWithParam<std::string> {};

TEST_P(HighlightRangesFile, MatchesExpected) {
  const std::string text = ReadFile(CaseFolder() / (GetParam() + ".ox"));
  const std::filesystem::path expectedPath = CaseFolder() / (GetParam() + ".expected");
  ASSERT_TRUE(std::filesystem::is_regular_file(expectedPath)) << expectedPath;
  const ExpectedFile expected = ParseExpected(ReadFile(expectedPath));
  ASSERT_NE(expected.codeMarks, -1) << "no codemarks line in " << expectedPath;

  EXPECT_EQ(Described(text, ScanHighlightRanges(
                                text, static_cast<library::CodeMarking>(expected.codeMarks))),
            expected.lines)
      << "scanner";
  // The literal transcription of the rules must agree with the hand-written
  // file too, or the file (or the transcription) is wrong.
  EXPECT_EQ(Described(text, highlight_reference::HighlightReference(text, expected.codeMarks)),
            expected.lines)
      << "reference";
}

INSTANTIATE_TEST_SUITE_P(HighlightFiles, HighlightRangesFile, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& caseName) {
                           std::string name = caseName.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST(HighlightRanges, CaseFolderIsComplete) {
  const std::vector<std::string> names = CaseNames();
  EXPECT_GE(names.size(), 30u) << CaseFolder();
  for (const auto& entry : std::filesystem::directory_iterator(CaseFolder())) {
    if (entry.path().extension() == ".expected") {
      EXPECT_TRUE(std::filesystem::exists(CaseFolder() / (entry.path().stem().string() + ".ox")))
          << "expected file without code file: " << entry.path();
    }
  }
}

// The sorted, per-tag form the GTK layer relies on, besides the merged view.
TEST(HighlightRanges, RangesPerTagAreSortedByStart) {
  const std::string text =
      "Procedure B()\nEndProcedure\nProcedureC A()\nEndProcedure\nProcedure C()\nA() : B() : C()\n";
  const HighlightRanges result = ScanHighlightRanges(text, library::CodeMarking::BlueBold);
  ASSERT_EQ(result.procedureNames,
            (std::vector<std::string>{"B", "C", "A"}));  // table order, then position
  ASSERT_EQ(result.Of(Tag::Function).size(), 3u);
  EXPECT_EQ(result.Of(Tag::Function)[0], (TextRange{10, 11}));
  EXPECT_EQ(result.Of(Tag::Function)[1], (TextRange{38, 39}));
  EXPECT_EQ(result.Of(Tag::Function)[2], (TextRange{65, 66}));
  for (const std::vector<TextRange>& ranges : result.ranges) {
    EXPECT_TRUE(
        std::is_sorted(ranges.begin(), ranges.end(),
                       [](const TextRange& a, const TextRange& b) { return a.start < b.start; }));
  }
}

TEST(HighlightRanges, EmptyText) {
  const HighlightRanges result = ScanHighlightRanges("", library::CodeMarking::BlueBold);
  for (const std::vector<TextRange>& ranges : result.ranges) EXPECT_TRUE(ranges.empty());
  EXPECT_TRUE(result.procedureNames.empty());
  EXPECT_TRUE(result.links.empty());
}

// Many empty names and no name at all must end, and quickly.
TEST(HighlightRanges, EmptyNamesTerminate) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "Procedure (x)\n";
  const HighlightRanges result = ScanHighlightRanges(text, library::CodeMarking::BlueBold);
  EXPECT_EQ(result.procedureNames.size(), 2000u);
  EXPECT_TRUE(result.Of(Tag::FuncCall).empty());
}

// --- LineIndex --------------------------------------------------------------

void ExpectAt(const LineIndex& index, std::size_t offset, int line, int byteIndex) {
  const LineIndex::Position position = index.Locate(offset);
  EXPECT_EQ(position.line, line) << "offset " << offset;
  EXPECT_EQ(position.index, byteIndex) << "offset " << offset;
}

TEST(HighlightLineIndex, LineFeeds) {
  const LineIndex index("ab\ncd\n");
  EXPECT_EQ(index.LineCount(), 3u);  // the empty line after the last LF counts
  ExpectAt(index, 0, 0, 0);
  ExpectAt(index, 2, 0, 2);  // the end of the first line, before its LF
  ExpectAt(index, 3, 1, 0);
  ExpectAt(index, 5, 1, 2);
  ExpectAt(index, 6, 2, 0);  // the end of the text
}

TEST(HighlightLineIndex, CarriageReturns) {
  const LineIndex index("ab\r\ncd\re");
  EXPECT_EQ(index.LineCount(), 3u);
  ExpectAt(index, 2, 0, 2);
  ExpectAt(index, 4, 1, 0);
  ExpectAt(index, 6, 1, 2);
  ExpectAt(index, 7, 2, 0);
  ExpectAt(index, 8, 2, 1);

  const LineIndex twice("\r\r\n\n");  // CR, CR LF, LF: four lines
  EXPECT_EQ(twice.LineCount(), 4u);
  ExpectAt(twice, 1, 1, 0);
  ExpectAt(twice, 3, 2, 0);
  ExpectAt(twice, 4, 3, 0);
}

TEST(HighlightLineIndex, ParagraphSeparator) {
  const LineIndex index(
      "a\u2029b\xE2\x80\xA8"
      "c");  // U+2028 is no line delimiter of a text buffer
  EXPECT_EQ(index.LineCount(), 2u);
  ExpectAt(index, 1, 0, 1);
  ExpectAt(index, 4, 1, 0);
  ExpectAt(index, 8, 1, 4);
}

TEST(HighlightLineIndex, IndexIsInBytes) {
  const LineIndex index("x\nöö✰y");
  ExpectAt(index, 2, 1, 0);
  ExpectAt(index, 6, 1, 4);   // after the two ö
  ExpectAt(index, 9, 1, 7);   // after ✰
  ExpectAt(index, 10, 1, 8);  // the end
}

TEST(HighlightLineIndex, EmptyText) {
  const LineIndex index("");
  EXPECT_EQ(index.LineCount(), 1u);
  ExpectAt(index, 0, 0, 0);
}

// Every offset of texts with short, empty and very long lines, across the
// index's 256-byte blocks, against a plain walk over the line starts.
TEST(HighlightLineIndex, AgreesWithPlainWalk) {
  std::mt19937 random(3);
  const std::vector<std::string> pieces = {"a",
                                           "ö",
                                           "✰",
                                           " ",
                                           "\n",
                                           "\n",
                                           "\r\n",
                                           "\r",
                                           "\u2029",
                                           std::string(300, 'x'),
                                           std::string(40, '\n')};
  for (int n = 0; n < 200; ++n) {
    std::string text;
    const std::size_t count = random() % 80;
    for (std::size_t i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
    std::vector<std::size_t> starts = {0};
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text.compare(i, 2, "\r\n") == 0) {
        starts.push_back(i + 2);
        ++i;
      } else if (text[i] == '\n' || text[i] == '\r') {
        starts.push_back(i + 1);
      } else if (text.compare(i, 3, "\u2029") == 0) {
        starts.push_back(i + 3);
      }
    }
    const LineIndex index(text);
    ASSERT_EQ(index.LineCount(), starts.size());
    std::size_t line = 0;
    for (std::size_t offset = 0; offset <= text.size(); ++offset) {
      while (line + 1 < starts.size() && starts[line + 1] <= offset) ++line;
      const LineIndex::Position position = index.Locate(offset);
      ASSERT_EQ(position.line, static_cast<int>(line)) << "offset " << offset << " of text " << n;
      ASSERT_EQ(position.index, static_cast<int>(offset - starts[line]))
          << "offset " << offset << " of text " << n;
    }
  }
}

TEST(HighlightLineIndex, LocatesScannedRanges) {
  const std::string text = "x = \"ö\"\r\n  y ; note\n; Link to topic:   https://example.org/a\n";
  const HighlightRanges result = ScanHighlightRanges(text, library::CodeMarking::Plain);
  const LineIndex index(text);
  ASSERT_EQ(result.Of(Tag::Disable).size(), 2u);
  const TextRange comment = result.Of(Tag::Disable)[0];
  ExpectAt(index, comment.start, 1, 4);
  ExpectAt(index, comment.end, 1, 10);
  ASSERT_EQ(result.Of(Tag::Literal).size(), 1u);
  ExpectAt(index, result.Of(Tag::Literal)[0].start, 0, 5);
  ExpectAt(index, result.Of(Tag::Literal)[0].end, 0, 7);
  ASSERT_EQ(result.links.size(), 1u);
  ExpectAt(index, result.links[0].targetStart, 2, 19);
  ExpectAt(index, result.links[0].targetEnd, 2, 40);
}

}  // namespace
}  // namespace codeview

// The range scanner against the literal transcription of the highlighter
// passes: on every code file of the sample library, on a generated code
// file, and on many random snippets. A text buffer merges overlapping
// ranges of a tag, so the tags are compared byte by byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench/GeneratedCode.h"
#include "codeview/core/HighlightRanges.h"
#include "toolkit/core/TextEncoding.h"
#include "unit/HighlightReference.h"

namespace codeview {
namespace {

using highlight_reference::Escaped;

constexpr std::int64_t kCodeMarkValues[] = {0, 1, 2, 5};

// Per byte, one bit per tag that covers it.
std::vector<unsigned> TagMask(const HighlightRanges& result, std::size_t size) {
  std::vector<unsigned> mask(size, 0);
  for (std::size_t tag = 0; tag < kTagCount; ++tag) {
    for (const TextRange& range : result.ranges[tag]) {
      for (std::size_t i = range.start; i < range.end && i < size; ++i) mask[i] |= 1u << tag;
    }
  }
  return mask;
}

bool IsCharBoundary(std::string_view text, std::size_t offset) {
  return offset == text.size() || (static_cast<unsigned char>(text[offset]) & 0xC0) != 0x80;
}

// The scanner's own promises: ranges inside the text, on character
// boundaries, sorted by start per tag; links in text order.
testing::AssertionResult WellFormed(std::string_view text, const HighlightRanges& result) {
  for (std::size_t tag = 0; tag < kTagCount; ++tag) {
    std::size_t lastStart = 0;
    for (const TextRange& range : result.ranges[tag]) {
      if (range.start > range.end || range.end > text.size() ||
          !IsCharBoundary(text, range.start) || !IsCharBoundary(text, range.end))
        return testing::AssertionFailure() << kTagNames[tag] << " range " << range.start << "-"
                                           << range.end << " is no character range of the text";
      if (range.start < lastStart)
        return testing::AssertionFailure()
               << kTagNames[tag] << " ranges are not sorted at " << range.start;
      lastStart = range.start;
    }
  }
  std::size_t lastEnd = 0;
  for (const TopicLink& link : result.links) {
    if (link.targetStart < lastEnd || link.targetEnd > text.size() ||
        link.targetStart > link.targetEnd)
      return testing::AssertionFailure()
             << "link at " << link.targetStart << " out of order or range";
    if (text.substr(link.targetStart, link.targetEnd - link.targetStart) != link.target)
      return testing::AssertionFailure()
             << "link target at " << link.targetStart << " is not the text there";
    lastEnd = link.targetEnd;
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult SameAsReference(std::string_view text, std::int64_t codeMarks) {
  const HighlightRanges expected = highlight_reference::HighlightReference(text, codeMarks);
  const HighlightRanges actual =
      ScanHighlightRanges(text, static_cast<library::CodeMarking>(codeMarks));
  const auto context = [&] {
    std::ostringstream out;
    out << "\n  codeMarks " << codeMarks << ", text (" << text.size() << " bytes): \""
        << Escaped(text.substr(0, 400)) << (text.size() > 400 ? "..." : "") << "\"";
    return out.str();
  };
  if (testing::AssertionResult formed = WellFormed(text, actual); !formed)
    return formed << context();
  const std::vector<unsigned> expectedMask = TagMask(expected, text.size());
  const std::vector<unsigned> actualMask = TagMask(actual, text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (expectedMask[i] == actualMask[i]) continue;
    for (std::size_t tag = 0; tag < kTagCount; ++tag) {
      const bool want = (expectedMask[i] >> tag) & 1;
      if (want != ((actualMask[i] >> tag) & 1)) {
        return testing::AssertionFailure()
               << "byte " << i << " ('" << Escaped(text.substr(i, 1)) << "'): tag "
               << kTagNames[tag] << (want ? " missing" : " not expected") << context();
      }
    }
  }
  if (actual.procedureNames != expected.procedureNames) {
    std::ostringstream out;
    out << "procedure names differ: expected";
    for (const std::string& name : expected.procedureNames) out << " [" << name << "]";
    out << ", scanned";
    for (const std::string& name : actual.procedureNames) out << " [" << name << "]";
    return testing::AssertionFailure() << out.str() << context();
  }
  if (actual.links != expected.links) {
    std::ostringstream out;
    out << "links differ: expected";
    for (const TopicLink& link : expected.links)
      out << " " << link.targetStart << "-" << link.targetEnd;
    out << ", scanned";
    for (const TopicLink& link : actual.links)
      out << " " << link.targetStart << "-" << link.targetEnd;
    return testing::AssertionFailure() << out.str() << context();
  }
  return testing::AssertionSuccess();
}

// --- The sample library ----------------------------------------------------

// A simple decoding, enough for this test (the real one is CodeFileText):
// UTF-8 with its mark dropped, UTF-16LE, else Latin-1; line ends kept.
std::string SimplyDecoded(const std::string& bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return bytes.substr(3);
  if (bytes.starts_with("\xFF\xFE"))
    return toolkit::Utf16LeToUtf8(std::string_view(bytes).substr(2));
  return toolkit::Latin1ToUtf8(bytes);
}

std::string LfOnly(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<std::filesystem::path> SampleCodeFiles() {
  const char* data = std::getenv("ORVEX_TEST_DATA");
  if (data == nullptr) return {};
  const std::filesystem::path library =
      std::filesystem::path(data) / ".." / ".." / "sample" / "Library";
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(library)) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(library)) {
    const std::string extension = entry.path().extension().string();
    if (entry.is_regular_file() &&
        (extension == ".ox" || extension == ".oxi" || extension == ".oxf"))
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(HighlightDifferential, SampleLibraryFiles) {
  const std::vector<std::filesystem::path> files = SampleCodeFiles();
  ASSERT_GE(files.size(), 10u) << "sample library not found; is ORVEX_TEST_DATA set?";
  for (const std::filesystem::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string decoded = SimplyDecoded(bytes);
    for (const std::int64_t codeMarks : kCodeMarkValues) {
      EXPECT_TRUE(SameAsReference(LfOnly(decoded), codeMarks)) << file;
      // Also with the file's own line ends (CR LF in some files).
      EXPECT_TRUE(SameAsReference(decoded, codeMarks)) << file << " with its line ends";
    }
  }
}

TEST(HighlightDifferential, GeneratedCodeFile) {
  const std::string text = bench::GenerateCodeFile(1500);
  for (const std::int64_t codeMarks : kCodeMarkValues)
    EXPECT_TRUE(SameAsReference(text, codeMarks));
}

// --- Random snippets -------------------------------------------------------

// Pieces of Orvex code and the characters the passes look at, drawn at
// random. Names come back often, so declared names are also used.
const std::vector<std::string> kPieces = {
    // keywords, declaration keywords, near misses
    "Procedure", "Procedure", "ProcedureC", "ProcedureCDLL", "ProcedureDLL", "ProcedureReturn",
    "EndProcedure", "Procedure.s", "If", "EndIf", "End", "Else", "For", "Next", "Protected",
    "Declare", "And", "XOr", "Or", "To", "if", "end", "procedure", "MacroExpandedCount",
    "EndStructureUnion",
    // names, and declarations with their uses
    "Foo", "Foo", "Bar", "MyEnd", "End_2", "x", "Name$", "a1", "Foo_", "gtk_init", "Procedure Foo(",
    "Procedure.s Bar(", "ProcedureC  x", "Procedure (", " Foo(", " Bar ", "(x)", " Name$", " End_2",
    // characters the passes test
    ";", ";", "\"", "\"", "\"", "#", "#", "##", "$", "_", "0", "7", " ", " ", " ", "  ", "\t", "\n",
    "\n", "\n", "(", ")", ".", ",", "=", ":", "*",
    // link markers and near misses
    "; Link to topic:   ", "; Link to topic:   ", "; Link to topic:  ", "https://example.org/a",
    // non-ASCII letters and rare line delimiters
    "ö", "✰", "Ä", "\r\n", "\r", "\u2029"};

std::string RandomSnippet(std::mt19937& random) {
  const std::size_t pieces = random() % 48;
  std::string text;
  for (std::size_t i = 0; i < pieces; ++i) text += kPieces[random() % kPieces.size()];
  return text;
}

TEST(HighlightDifferential, RandomSnippets) {
  std::mt19937 random(20260108);
  constexpr int kSnippets = 12000;
  int failures = 0;
  // How many snippets exercise each part, so that the mix stays useful.
  std::array<int, kTagCount> withTag{};
  int withNames = 0, withEmptyName = 0, withLinks = 0;
  for (int n = 0; n < kSnippets && failures < 5; ++n) {
    const std::string text = RandomSnippet(random);
    for (const std::int64_t codeMarks : kCodeMarkValues) {
      const testing::AssertionResult same = SameAsReference(text, codeMarks);
      EXPECT_TRUE(same) << "snippet " << n;
      if (!same) {
        ++failures;
        break;
      }
    }
    const HighlightRanges scanned = ScanHighlightRanges(text, library::CodeMarking::BlueBold);
    for (std::size_t tag = 0; tag < kTagCount; ++tag) {
      for (const TextRange& range : scanned.ranges[tag]) {
        if (range.start < range.end) {
          ++withTag[tag];
          break;
        }
      }
    }
    withNames += !scanned.procedureNames.empty();
    withEmptyName +=
        std::count(scanned.procedureNames.begin(), scanned.procedureNames.end(), "") > 0;
    withLinks += !scanned.links.empty();
  }
  for (const Tag tag :
       {Tag::BlueBold, Tag::Constant, Tag::Function, Tag::FuncCall, Tag::Literal, Tag::Disable})
    EXPECT_GT(withTag[static_cast<std::size_t>(tag)], kSnippets / 20)
        << kTagNames[static_cast<std::size_t>(tag)];
  EXPECT_GT(withNames, kSnippets / 20);
  EXPECT_GT(withEmptyName, kSnippets / 20);
  EXPECT_GT(withLinks, kSnippets / 20);
}

// Lines of code rather than loose pieces: declarations with their uses,
// strings holding ";", comments with quotes, constants and links.
TEST(HighlightDifferential, RandomCodeLines) {
  std::mt19937 random(7);
  const std::vector<std::string> lines = {"Procedure Foo(a.l)",
                                          "Procedure.s Bar(t.s)",
                                          "ProcedureC\tBaz(x, y)",
                                          "ProcedureDLL Qux()",
                                          "  Foo(1) : Bar(\"a;b\") ; call",
                                          "  s = \"odd quote",
                                          "; comment with \"one quote",
                                          "; comment with \"two\" quotes",
                                          "  If x = #Null : EndIf",
                                          "  #Const = 1 ; #NotConst",
                                          "; Link to topic:   https://example.org/x",
                                          "x = \"; Link to topic:   y\"",
                                          "EndProcedure",
                                          "  ProcedureReturn Baz(2)",
                                          "Procedure",
                                          "  a$ = b$ + \"#\" + c#d",
                                          "  Qux() ; Qux()",
                                          "",
                                          "Declare Foo(a.l)",
                                          "  End",
                                          "  MyEnd = End_2 + End.l",
                                          "✰ ; ö \" ö"};
  int failures = 0;
  for (int n = 0; n < 1000 && failures < 5; ++n) {
    std::string text;
    const std::size_t count = random() % 30;
    for (std::size_t i = 0; i < count; ++i) text += lines[random() % lines.size()] + "\n";
    for (const std::int64_t codeMarks : kCodeMarkValues) {
      const testing::AssertionResult same = SameAsReference(text, codeMarks);
      EXPECT_TRUE(same) << "text " << n;
      if (!same) {
        ++failures;
        break;
      }
    }
  }
}

}  // namespace
}  // namespace codeview

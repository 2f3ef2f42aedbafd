// A code file as the viewer shows it: decoded to text, then scanned for the
// highlighter's ranges and topic links, which must all address that text.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "codeview/core/CodeFileText.h"
#include "codeview/core/HighlightRanges.h"

namespace {

void CheckRange(std::string_view text, std::size_t start, std::size_t end) {
  FUZZ_CHECK(start <= end && end <= text.size());
  FUZZ_CHECK(fuzz::IsCharacterBoundary(text, start));
  FUZZ_CHECK(fuzz::IsCharacterBoundary(text, end));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const codeview::CodeFileText decoded = codeview::DecodeCodeFile(fuzz::Bytes(data, size));
  const std::string_view text = decoded.text;
  FUZZ_CHECK(fuzz::IsValidUtf8(text));
  FUZZ_CHECK(text.find('\r') == std::string_view::npos);

  // The marking setting only changes the keyword tag; vary it with the input.
  const auto codeMarks = static_cast<library::CodeMarking>(size % 3);
  const codeview::HighlightRanges found = codeview::ScanHighlightRanges(text, codeMarks);
  const codeview::LineIndex lines(text);
  FUZZ_CHECK(lines.LineCount() >= 1);

  for (const std::vector<codeview::TextRange>& ranges : found.ranges) {
    const codeview::TextRange* previous = nullptr;
    for (const codeview::TextRange& range : ranges) {
      CheckRange(text, range.start, range.end);
      if (range.start == range.end) continue;  // applying an empty range changes nothing
      if (previous) {
        // Sorted by start, and no range of a tag reaching into the next one.
        FUZZ_CHECK(previous->start <= range.start);
        FUZZ_CHECK(previous->end <= range.start);
      }
      previous = &range;
      // The view finds each end by line and byte index within the line.
      const codeview::LineIndex::Position at = lines.Locate(range.start);
      FUZZ_CHECK(at.line >= 0 && static_cast<std::size_t>(at.line) < lines.LineCount());
      FUZZ_CHECK(at.index >= 0 && static_cast<std::size_t>(at.index) <= range.start);
    }
  }

  std::size_t previousEnd = 0;
  for (const codeview::TopicLink& link : found.links) {
    CheckRange(text, link.targetStart, link.targetEnd);
    FUZZ_CHECK(link.targetStart >= previousEnd);
    FUZZ_CHECK(text.substr(link.targetStart, link.targetEnd - link.targetStart) == link.target);
    FUZZ_CHECK(link.target.find('\n') == std::string::npos);
    previousEnd = link.targetEnd;
  }
  for (const std::string& name : found.procedureNames) FUZZ_CHECK(fuzz::IsValidUtf8(name));
  return 0;
}

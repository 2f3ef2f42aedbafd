// Where the syntax highlighter puts its tags: the ranges of comments,
// strings, constants, keywords, declared names and their uses, and the topic
// links of a code text, computed in plain C++ without a text buffer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/core/AppSettings.h"

namespace codeview {

// The seven text tags, in the order they are created (a later tag wins where
// two overlap).
enum class Tag : std::uint8_t { BlueBold, FBold, Constant, Function, FuncCall, Literal, Disable };
inline constexpr std::size_t kTagCount = 7;
inline constexpr std::array<const char*, kTagCount> kTagNames = {
    "BlueBold", "FBold", "Constant", "Function", "FuncCall", "Literal", "Disable"};

// The keywords, in the order they are searched (case-sensitive).
inline constexpr std::size_t kKeywordCount = 109;
// clang-format off
inline constexpr std::array<std::string_view, kKeywordCount> kKeywords = {
    "And", "Array", "As", "Break", "CallDebugger", "Case", "CompilerCase", "CompilerDefault",
    "CompilerElse", "CompilerElseIf", "CompilerEndIf", "CompilerEndSelect", "CompilerError",
    "CompilerIf", "CompilerSelect", "Continue", "Data", "DataSection", "Debug", "DebugLevel",
    "Declare", "DeclareC", "DeclareCDLL", "DeclareDLL", "DeclareModule", "Default", "Define",
    "Dim", "DisableASM", "DisableDebugger", "DisableExplicit", "Else", "ElseIf", "EnableASM",
    "EnableDebugger", "EnableExplicit", "End", "EndDataSection", "EndDeclareModule",
    "EndEnumeration", "EndIf", "EndImport", "EndInterface", "EndMacro", "EndModule",
    "EndProcedure", "EndSelect", "EndStructure", "EndStructureUnion", "EndWith", "Enumeration",
    "EnumerationBinary", "Extends", "FakeReturn", "For", "ForEach", "ForEver", "Global", "Gosub",
    "Goto", "If", "Import", "ImportC", "IncludeBinary", "IncludeFile", "IncludePath", "Interface",
    "List", "Macro", "MacroExpandedCount", "Map", "Module", "NewList", "NewMap", "Next", "Not",
    "Or", "Procedure", "ProcedureC", "ProcedureCDLL", "ProcedureDLL", "ProcedureReturn",
    "Protected", "Prototype", "PrototypeC", "ReDim", "Read", "Repeat", "Restore", "Return",
    "Runtime", "Select", "Shared", "Static", "Step", "Structure", "StructureUnion", "Swap",
    "Threaded", "To", "UndefineMacro", "Until", "UnuseModule", "UseModule", "Wend", "While",
    "With", "XIncludeFile", "XOr"};
// clang-format on

// A half-open range of byte offsets into the UTF-8 text; both ends lie on
// character boundaries. A range may be empty.
struct TextRange {
  std::size_t start = 0;
  std::size_t end = 0;
  bool operator==(const TextRange&) const = default;
};

// A topic-link comment: the target runs from the end of the link marker to
// the end of its line and is replaced by a link label.
struct TopicLink {
  std::size_t targetStart = 0;
  std::size_t targetEnd = 0;
  std::string target;
  bool operator==(const TopicLink&) const = default;
};

struct HighlightRanges {
  // Per tag, the ranges to apply, sorted by start. Ranges of one tag may
  // touch but never overlap.
  std::array<std::vector<TextRange>, kTagCount> ranges;
  // Names found after the declaration keywords, in the order found; may
  // hold empty names and repeats.
  std::vector<std::string> procedureNames;
  // Topic links in text order, at most one per line.
  std::vector<TopicLink> links;

  const std::vector<TextRange>& Of(Tag tag) const { return ranges[static_cast<std::size_t>(tag)]; }
};

// The ranges for a code text whose lines are separated as in the code view
// (LF; CR, CR LF and U+2029 also end a line). Keywords are marked with
// FBold for CodeMarking::Bold, with BlueBold for BlueBold, and stay plain
// for any other value.
//
// Exactly what the six highlighter passes apply to a text buffer that
// holds text, found in a few linear scans instead of one search per
// pattern. All offsets are bytes of text as passed in, also those of the
// links: apply the tags first, then replace the link targets from the last
// to the first, so that earlier offsets stay valid. Empty ranges (an empty
// string "", an empty declared name) may occur; applying them changes
// nothing. The text is expected to be valid UTF-8; other bytes above
// 0x7F count as non-word characters.
HighlightRanges ScanHighlightRanges(std::string_view text, library::CodeMarking codeMarks);

// The start offset of every line of the text, for turning offsets into
// line and byte index pairs of a text buffer.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text);
  struct Position {
    int line = 0;
    int index = 0;  // bytes from the start of the line
  };
  // The line holding offset and the bytes before it in that line; an offset
  // at a line's end (where its delimiter starts) belongs to that line, the
  // end of the text to the last line.
  Position Locate(std::size_t offset) const;
  std::size_t LineCount() const { return starts_.size(); }
  // The offset where the line starts.
  std::size_t LineStart(std::size_t line) const { return starts_[line]; }

 private:
  static constexpr unsigned kBlockBits = 8;
  std::vector<std::size_t> starts_;
  // For each block of 256 bytes, the line that holds its first byte, so
  // that Locate only searches the few lines of one block.
  std::vector<std::uint32_t> lineAtBlock_;
};

}  // namespace codeview

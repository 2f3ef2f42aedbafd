#include "unit/HighlightReference.h"

// Each pass below follows the numbered steps of the highlighter's rules one by one. The
// "buffer" is the text with a set of tags per byte; a search is
// std::string::find from a search position to the end of the text.

#include <algorithm>
#include <string>
#include <vector>

namespace highlight_reference {
namespace {

using codeview::HighlightRanges;
using codeview::Tag;
using codeview::TextRange;

const std::string kDeclarationKeywordText = "Procedure;ProcedureC;ProcedureCDLL;ProcedureDLL";
const std::string kLinkMarker = "; Link to topic:   ";
constexpr std::size_t npos = std::string::npos;

// IsWordChar of a text, looking at its first character only.
bool IsWordChar(const std::string& text) {
  if (text.empty()) return false;
  const char c = text[0];
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '$';
}

// The length of the UTF-8 character whose first byte is c.
std::size_t CharLength(unsigned char c) {
  if (c >= 0xF0) return 4;
  if (c >= 0xE0) return 3;
  if (c >= 0xC0) return 2;
  return 1;
}

class Buffer {
 public:
  explicit Buffer(std::string_view text) : text_(text), tags_(text.size(), 0) {
    // Lines end at LF, CR, CR LF and U+2029, as in a GTK text buffer.
    lineStarts_.push_back(0);
    std::size_t i = 0;
    while (i < text_.size()) {
      std::size_t delimiter = 0;
      if (text_.compare(i, 2, "\r\n") == 0)
        delimiter = 2;
      else if (text_[i] == '\n' || text_[i] == '\r')
        delimiter = 1;
      else if (text_.compare(i, 3, "\u2029") == 0)
        delimiter = 3;
      if (delimiter == 0) {
        ++i;
        continue;
      }
      lineEnds_.push_back(i);
      i += delimiter;
      lineStarts_.push_back(i);
    }
    lineEnds_.push_back(text_.size());
  }

  const std::string& Text() const { return text_; }

  // A plain forward search from pos to the end of the buffer.
  std::size_t Search(const std::string& what, std::size_t pos) const {
    return text_.find(what, pos);
  }

  // The one-character text before pos (empty at the start).
  std::string CharBefore(std::size_t pos) const {
    if (pos == 0) return "";
    std::size_t start = pos - 1;
    while (start > 0 && (static_cast<unsigned char>(text_[start]) & 0xC0) == 0x80) --start;
    return text_.substr(start, pos - start);
  }

  // The one-character text at pos (empty at the end).
  std::string CharAt(std::size_t pos) const {
    if (pos >= text_.size()) return "";
    return text_.substr(pos, CharLength(static_cast<unsigned char>(text_[pos])));
  }

  // The position one character further (the end stays the end).
  std::size_t NextChar(std::size_t pos) const {
    if (pos >= text_.size()) return text_.size();
    return std::min(text_.size(), pos + CharLength(static_cast<unsigned char>(text_[pos])));
  }

  bool Carries(std::size_t pos, Tag tag) const { return (tags_[pos] >> static_cast<int>(tag)) & 1; }

  void Apply(HighlightRanges& out, Tag tag, std::size_t start, std::size_t end) {
    out.ranges[static_cast<std::size_t>(tag)].push_back({start, end});
    for (std::size_t i = start; i < end; ++i) tags_[i] |= 1u << static_cast<int>(tag);
  }

  std::size_t LineCount() const { return lineStarts_.size(); }
  std::size_t LineOf(std::size_t pos) const {
    std::size_t line = 0;
    while (line + 1 < lineStarts_.size() && lineStarts_[line + 1] <= pos) ++line;
    return line;
  }
  std::size_t LineStart(std::size_t line) const { return lineStarts_[line]; }
  std::size_t LineEnd(std::size_t line) const { return lineEnds_[line]; }  // delimiter excluded

 private:
  std::string text_;
  std::vector<unsigned> tags_;  // per byte, one bit per Tag
  std::vector<std::size_t> lineStarts_;
  std::vector<std::size_t> lineEnds_;
};

// 1. Comments.
void Comments(Buffer& buffer, HighlightRanges& out) {
  std::size_t pos = 0;
  while (true) {
    // 1.1 Search ";" from the search position; stop the pass when there is none.
    const std::size_t semicolon = buffer.Search(";", pos);
    if (semicolon == npos) break;
    // 1.2 Count the double quotes from the start of the line before the ";"
    // line up to the ";" (first line: from the start of that line; the very
    // first character of the buffer: none).
    const std::size_t line = buffer.LineOf(semicolon);
    const std::size_t from = buffer.LineStart(line == 0 ? 0 : line - 1);
    std::size_t count = 0;
    if (semicolon != 0) {
      count = static_cast<std::size_t>(
          std::count(buffer.Text().begin() + static_cast<std::ptrdiff_t>(from),
                     buffer.Text().begin() + static_cast<std::ptrdiff_t>(semicolon), '"'));
    }
    // 1.3 Even: a comment to the end of the line, go on at the next line.
    // Odd: inside a string, go on just after the ";".
    if (count % 2 == 0) {
      buffer.Apply(out, Tag::Disable, semicolon, buffer.LineEnd(line));
      if (line + 1 == buffer.LineCount()) break;  // there is no next line
      pos = buffer.LineStart(line + 1);
    } else {
      pos = semicolon + 1;
    }
  }
}

// 2. String literals.
void Strings(Buffer& buffer, HighlightRanges& out) {
  std::size_t pos = 0;
  while (true) {
    // 2.1 Search the double quote; stop the pass when there is none.
    const std::size_t open = buffer.Search("\"", pos);
    if (open == npos) break;
    // 2.2 An opening quote in a comment: one character further than the
    // search position was, and search again.
    if (buffer.Carries(open, Tag::Disable)) {
      pos = buffer.NextChar(pos);
      continue;
    }
    // 2.3 The next double quote after the opening one closes the string.
    const std::size_t close = buffer.Search("\"", open + 1);
    if (close == npos) break;  // no tag; the next search would end the pass
    buffer.Apply(out, Tag::Literal, open + 1, close);
    pos = buffer.NextChar(close);
  }
}

// 3. Constants.
void Constants(Buffer& buffer, HighlightRanges& out) {
  std::size_t pos = 0;
  while (true) {
    // 3.1 Search "#"; stop the pass when there is none.
    const std::size_t hash = buffer.Search("#", pos);
    if (hash == npos) break;
    // 3.2 Not after a word character, not in a comment: the "#" and the
    // word characters after it.
    if (!IsWordChar(buffer.CharBefore(hash)) && !buffer.Carries(hash, Tag::Disable)) {
      std::size_t end = buffer.NextChar(hash);
      while (IsWordChar(buffer.CharAt(end))) end = buffer.NextChar(end);
      buffer.Apply(out, Tag::Constant, hash, end);
      // 3.3 One character past the end of the tagged range.
      pos = buffer.NextChar(end);
    } else {
      // 3.3 One character past the end of the "#".
      pos = buffer.NextChar(buffer.NextChar(hash));
    }
  }
}

// 4. Keywords and declarations.
void Keywords(Buffer& buffer, std::int64_t codeMarks, HighlightRanges& out) {
  out.procedureNames.clear();
  for (const std::string_view keywordView : codeview::kKeywords) {
    const std::string keyword(keywordView);
    const bool declaration = kDeclarationKeywordText.find(keyword) != npos;
    std::size_t pos = 0;
    while (true) {
      // 4.1 Search the keyword; stop with this keyword when there is none.
      const std::size_t match = buffer.Search(keyword, pos);
      if (match == npos) break;
      const std::size_t matchEnd = match + keyword.size();
      // 4.2 Does the match count?
      const bool counts =
          !IsWordChar(buffer.CharBefore(match)) && !buffer.Carries(match, Tag::Disable) &&
          !buffer.Carries(match, Tag::Literal) && !IsWordChar(buffer.CharAt(matchEnd));
      if (!counts) {
        pos = matchEnd;  // 4.5
        continue;
      }
      // 4.3 The keyword mark.
      if (codeMarks == 1) buffer.Apply(out, Tag::FBold, match, matchEnd);
      if (codeMarks == 2) buffer.Apply(out, Tag::BlueBold, match, matchEnd);
      // 4.4 A declaration: the name after the first space after the keyword.
      if (declaration) {
        const std::size_t space = buffer.Search(" ", matchEnd);
        if (space == npos) break;  // no space anywhere after the keyword
        std::size_t start = buffer.NextChar(space);
        while (buffer.CharAt(start) == " ") start = buffer.NextChar(start);
        std::size_t end = start;
        while (IsWordChar(buffer.CharAt(end))) end = buffer.NextChar(end);
        buffer.Apply(out, Tag::Function, start, end);
        out.procedureNames.push_back(buffer.Text().substr(start, end - start));
        pos = end;
        continue;
      }
      // 4.5 Otherwise at the end of the match.
      pos = matchEnd;
    }
  }
}

// 5. Uses of declared names.
void NameUses(Buffer& buffer, HighlightRanges& out) {
  for (const std::string& name : out.procedureNames) {
    if (name.empty()) continue;  // an empty name would match forever
    std::size_t pos = 0;
    while (true) {
      // 5.1 Search the name; stop with this name when there is none.
      const std::size_t match = buffer.Search(name, pos);
      if (match == npos) break;
      const std::size_t matchEnd = match + name.size();
      // 5.2 A use outside comments, strings and declarations.
      if (!IsWordChar(buffer.CharBefore(match)) && !buffer.Carries(match, Tag::Disable) &&
          !buffer.Carries(match, Tag::Literal) && !buffer.Carries(match, Tag::Function) &&
          !IsWordChar(buffer.CharAt(matchEnd))) {
        buffer.Apply(out, Tag::FuncCall, match, matchEnd);
      }
      // 5.3 Continue at the end of the match.
      pos = matchEnd;
    }
  }
}

// 6. Topic links.
void Links(Buffer& buffer, HighlightRanges& out) {
  std::size_t pos = 0;
  while (true) {
    // 6.1 Search the link marker; stop the pass when there is none.
    const std::size_t marker = buffer.Search(kLinkMarker, pos);
    if (marker == npos) break;
    // 6.2 The target runs from the end of the marker to the end of the line.
    const std::size_t start = marker + kLinkMarker.size();
    const std::size_t end = buffer.LineEnd(buffer.LineOf(start));
    out.links.push_back({start, end, buffer.Text().substr(start, end - start)});
    // 6.3-6.5 The target becomes one anchor character; the search goes on
    // one character after it, which in the original text is one character
    // after the target's end (at the end of the buffer: nothing further).
    pos = buffer.NextChar(end);
  }
}

}  // namespace

HighlightRanges HighlightReference(std::string_view text, std::int64_t codeMarks) {
  Buffer buffer(text);
  HighlightRanges out;
  Comments(buffer, out);
  Strings(buffer, out);
  Constants(buffer, out);
  Keywords(buffer, codeMarks, out);
  NameUses(buffer, out);
  Links(buffer, out);
  return out;
}

}  // namespace highlight_reference

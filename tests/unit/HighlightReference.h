// A literal transcription of the six highlighter passes, word by word,
// for checking the fast range scanner against. Test-only and slow: it
// searches the whole text once per pattern, as the rules word it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "codeview/core/HighlightRanges.h"

namespace highlight_reference {

// The tags the passes apply to a text buffer holding text, in the order
// they are applied (not sorted; empty ranges included), the names found
// after the declaration keywords, and the topic links. Offsets are bytes of
// the UTF-8 text.
codeview::HighlightRanges HighlightReference(std::string_view text, std::int64_t codeMarks);

// The text with its line ends, tabs and backslashes written out, for
// readable failure messages.
inline std::string Escaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else if (c == '\t')
      out += "\\t";
    else if (c == '\\')
      out += "\\\\";
    else if (text.substr(i, 3) == "\u2029") {
      out += "\\u2029";
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace highlight_reference

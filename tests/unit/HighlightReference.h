// A literal transcription of the six highlighter passes, word by word,
// for checking the fast range scanner against. Test-only and slow: it
// searches the whole text once per pattern, as the rules word it.
#pragma once

#include <cstdint>
#include <string_view>

#include "codeview/HighlightRanges.h"

namespace highlight_reference {

// The tags the passes apply to a text buffer holding text, in the order
// they are applied (not sorted; empty ranges included), the names found
// after the declaration keywords, and the topic links. Offsets are bytes of
// the UTF-8 text.
codeview::HighlightRanges HighlightReference(std::string_view text, std::int64_t codeMarks);

}  // namespace highlight_reference

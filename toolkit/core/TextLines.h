// Splitting a text into its lines.
#pragma once

#include <string_view>
#include <vector>

namespace toolkit {

// The lines of a text: a line ends at LF, CR, or CR LF, and the terminator is
// not part of it. A last line without terminator counts; a text ending in a
// terminator has no empty line after it.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace toolkit

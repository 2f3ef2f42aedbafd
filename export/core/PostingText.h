// The forum-posting text: the new entries of each category, one line each,
// in bulletin-board markup, ready to paste into an announcement.
#pragma once

#include <span>
#include <string>

#include "export/core/ExportRows.h"

namespace exports {

inline constexpr const char* kPostingFileName = "ForumPosting.txt";

// For each category with rows directly below it: one empty line, then
// "[b]" category "[/b]: \t" German title for each new entry among those rows.
// Rows below a deeper row are left out until the next category.
std::string PostingText(std::span<const ExportRow> rows);

}  // namespace exports

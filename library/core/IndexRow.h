// One row of the index tree, as the database model keeps it and the tree shows it.
#pragma once

#include <string_view>

#include "toolkit/core/Arena.h"

namespace library {

enum class RowIcon { None, New, Changed };

struct IndexRow {
  int level = 0;  // 0 root, 1 category, 2 and deeper
  // As shown: the title without its mark, cut at kMaxRowTextCharacters; a
  // view of the document's string, valid while the document lives.
  std::string_view text;
  RowIcon icon = RowIcon::None;
  int textColour = -1;  // 24-bit red + green * 256 + blue * 65536; -1 default
  int background = -1;
};

// The rows of one fill, in the arena of the fill.
using IndexRows = toolkit::ArenaVector<IndexRow>;

}  // namespace library

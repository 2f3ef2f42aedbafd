// One row of the index tree, as the database model keeps it and the tree shows it.
#pragma once

#include <string>

namespace library {

enum class RowIcon { None, New, Changed };

struct IndexRow {
  int level = 0;     // 0 root, 1 category, 2 and deeper
  std::string text;  // as shown: the title without its mark, cut at kMaxRowTextCharacters
  RowIcon icon = RowIcon::None;
  int textColour = -1;  // 24-bit red + green * 256 + blue * 65536; -1 default
  int background = -1;
};

}  // namespace library

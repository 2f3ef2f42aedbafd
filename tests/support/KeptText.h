// Copies of texts kept for the whole test run, for the views that entries
// and elements made by hand in a test hold.
#pragma once

#include <string_view>

#include "toolkit/core/Arena.h"

namespace testsupport {

inline toolkit::Arena& KeptTexts() {
  static toolkit::Arena arena(0);
  return arena;
}

inline std::string_view Kept(std::string_view text) {
  return KeptTexts().Keep(text);
}

}  // namespace testsupport

// The code that the search's code scope looks through: the text of every
// entry's code file, decoded as the code view shows it and lowered.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "library/core/LoweredTexts.h"
#include "toolkit/core/TextLowering.h"

namespace app {

// The part of a code file that is searched: a larger one is searched as far
// as this, so a huge file can neither stall the index nor fill the memory.
inline constexpr std::size_t kMaxSearchedCodeBytes = std::size_t{4} << 20;

// The code files of the index rows: the library main path, and each row's
// file value (empty where the row has no file). The values may view memory
// that keep holds.
struct CodeFiles {
  std::string libraryPath;
  std::vector<std::string_view> files;
  std::shared_ptr<const void> keep;
};

// The lowered code of each file, one text per row in the order of files,
// with line breaks kept apart so that a term never matches across them. A
// file that is missing or cannot be read gives an empty text. Nothing when
// stop is requested before the end.
std::optional<library::LoweredTexts> IndexCode(const CodeFiles& code,
                                               const toolkit::TextLowering& lowering,
                                               const std::stop_token& stop);

}  // namespace app

// The three languages of the database's titles and descriptions and of the
// interface texts.
#pragma once

#include <cstdint>

namespace library {

// The index language ("Language" in the preferences), and with it the
// interface texts. A value that names no language counts as French where a
// title or description is chosen.
enum class Language : std::int64_t { German = 0, English = 1, French = 2 };

}  // namespace library

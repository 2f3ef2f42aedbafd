// The text of the protocol of database entries that occur more than once: every
// pair of entries with the same code file, file name, title or description.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "library/core/IndexEntry.h"

namespace library {

inline constexpr const char* kProtocolFileName = "Protocoll.txt";

// The heading with the database's file name, then five sections (file,
// German title, German description, English title, English description), each
// opened by an empty line and holding one line per pair of entries A before B
// whose field is equal and not empty: prefix, A's value, "[" A's group "] = ",
// B's value, "[" B's group "]". The file section adds a line for every pair
// whose files have the same name part, so equal files give two lines.
// The pairs come in list order, by A and then by B; titles are compared as
// stored, marks included.
std::string DuplicatesReport(std::string_view databaseFileName,
                             std::span<const IndexEntry> entries);

}  // namespace library

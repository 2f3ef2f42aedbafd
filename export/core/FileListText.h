// The list of the code files the index refers to, with the missing ones marked,
// so that the library's author can see which files the database still lacks.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "export/core/ExportRows.h"

namespace exports {

inline constexpr const char* kFileListName = "Filelist.txt";

// One line per row whose entry names a file, in row order: the entry's file
// value, followed by a tab and "missing" when that file is not a regular file
// below the library path (joined as the code view joins it).
std::string FileListText(std::span<const ExportRow> rows, std::string_view libraryPath);

}  // namespace exports

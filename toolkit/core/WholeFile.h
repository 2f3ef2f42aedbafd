// Reading a whole file, and replacing one so that a crash, a full disk or a
// killed process never leaves it half written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace toolkit {

// The bytes of a regular file, or nothing when it cannot be opened or read
// or is not a regular file (a folder, a pipe, a device).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Makes path hold exactly bytes: they go into a new temporary file in the same
// folder, which is flushed to disk and then renamed over path, keeping the old
// file's permission bits (0644 for a new file). Returns false, with path
// untouched and no temporary file left, when any step fails or when path
// exists but is not a regular file or has no owner-write bit. After a
// successful replacement, temporary files that killed earlier replacements
// of path left behind are removed.
bool ReplaceWholeFile(const std::string& path, std::string_view bytes);

}  // namespace toolkit

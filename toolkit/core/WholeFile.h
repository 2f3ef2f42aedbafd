// Reading a whole file, replacing one so that a crash, a full disk or a
// killed process never leaves it half written, and writing a new one with
// every error reported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace toolkit {

// The bytes of a regular file, at most maxBytes of its start, or nothing
// when it cannot be opened or read or is not a regular file (a folder, a
// pipe, a device).
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes = SIZE_MAX);

// Makes path hold exactly bytes: they go into a new temporary file in the same
// folder, which is flushed to disk and then renamed over path, keeping the old
// file's permission bits (0644 for a new file). Returns false, with path
// untouched and no temporary file left, when any step fails or when path
// exists but is not a regular file or has no owner-write bit. After a
// successful replacement, temporary files that killed earlier replacements
// of path left behind are removed.
bool ReplaceWholeFile(const std::string& path, std::string_view bytes);

// An output file, created (or truncated) when constructed. Writing reports
// every failed write and a failed close, so that a full disk is never
// reported as a finished file.
class OutputFile {
 public:
  explicit OutputFile(const std::string& path);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  bool Created() const { return descriptor_ >= 0; }

  // Writes all bytes and closes the file; false when any of it failed.
  bool WriteAndClose(std::string_view bytes);

 private:
  int descriptor_ = -1;
};

// The bytes of a file that is only ever read (a template). One that does not
// exist is created empty, so that its author finds where it belongs, and
// gives nothing; so does one that cannot be read. The file is opened for
// reading only: one without write permission is read like any other.
std::string ReadOrCreateEmpty(const std::string& path);

}  // namespace toolkit

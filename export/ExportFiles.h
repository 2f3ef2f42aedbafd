// Files of the exports: the output, created anew and written with every error
// checked, and the templates, read without ever being changed.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "toolkit/core/FileStatus.h"
#include "toolkit/core/WholeFile.h"

namespace exports {

// An output file, created (or truncated) when constructed. Writing reports
// every failed write and a failed close, so that a full disk is never
// reported as a finished export.
class OutputFile {
 public:
  explicit OutputFile(const std::string& path)
      : descriptor_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)) {}
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }

  bool Created() const { return descriptor_ >= 0; }

  // Writes all bytes and closes the file; false when any of it failed.
  bool WriteAndClose(std::string_view bytes) {
    if (descriptor_ < 0) return false;
    bool ok = true;
    while (ok && !bytes.empty()) {
      const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) {
        ok = false;
      } else {
        bytes.remove_prefix(static_cast<std::size_t>(written));
      }
    }
    // The descriptor is released whatever close says; retrying it is unsafe.
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    return ok && closed == 0;
  }

 private:
  int descriptor_ = -1;
};

// The bytes of a template. A template that does not exist is created as an
// empty file, so that its author finds where it belongs, and contributes
// nothing; so does one that cannot be read. The template is only ever opened
// for reading: one without write permission is read like any other.
inline std::string ReadTemplate(const std::string& path) {
  if (std::optional<std::string> bytes = toolkit::ReadWholeFile(path)) return std::move(*bytes);
  if (toolkit::QueryPath(path) == toolkit::PathKind::Missing) {
    const int created = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (created >= 0) ::close(created);
  }
  return {};
}

}  // namespace exports

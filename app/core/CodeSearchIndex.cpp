// The code that the search's code scope looks through: the text of every
// entry's code file, decoded as the code view shows it and lowered.
#include "app/core/CodeSearchIndex.h"

#include <sys/stat.h>

#include <algorithm>

#include "codeview/core/CodeFileText.h"
#include "library/core/PathRules.h"
#include "toolkit/core/WholeFile.h"

namespace app {

namespace {

// The bytes of the files as far as they are searched: the lowered texts take
// about as many, so the buffer is sized once instead of growing by copies to
// twice what it holds (tens of megabytes for a large library).
std::size_t SearchedBytes(const std::vector<std::string>& paths) {
  std::size_t bytes = 0;
  for (const std::string& path : paths) {
    struct stat status {};
    if (!path.empty() && ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
      bytes += std::min(static_cast<std::size_t>(std::max<off_t>(status.st_size, 0)),
                        kMaxSearchedCodeBytes);
    }
  }
  return bytes;
}

}  // namespace

std::optional<library::LoweredTexts> IndexCode(const CodeFiles& code,
                                               const toolkit::TextLowering& lowering,
                                               const std::stop_token& stop) {
  std::vector<std::string> paths;
  paths.reserve(code.files.size());
  for (const std::string_view file : code.files) {
    paths.push_back(file.empty() ? std::string() : library::CodeFilePath(code.libraryPath, file));
  }
  library::LoweredTexts texts;
  texts.Reserve(paths.size(), SearchedBytes(paths));
  for (const std::string& path : paths) {
    if (stop.stop_requested()) return std::nullopt;
    texts.StartText();
    if (path.empty()) continue;
    const std::optional<std::string> bytes = toolkit::ReadWholeFile(path, kMaxSearchedCodeBytes);
    if (!bytes) continue;
    texts.AppendLowered(lowering, codeview::DecodeCodeFile(*bytes).text,
                        library::LineBreaks::Apart);
  }
  texts.Finish();
  return texts;
}

}  // namespace app

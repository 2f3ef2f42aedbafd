// The code that the search's code scope looks through: the text of every
// entry's code file, decoded as the code view shows it and lowered.
#include "app/core/CodeSearchIndex.h"

#include "codeview/core/CodeFileText.h"
#include "library/core/PathRules.h"
#include "toolkit/core/WholeFile.h"

namespace app {

std::optional<library::LoweredTexts> IndexCode(const CodeFiles& code,
                                               const toolkit::TextLowering& lowering,
                                               const std::stop_token& stop) {
  library::LoweredTexts texts;
  for (const std::string_view file : code.files) {
    if (stop.stop_requested()) return std::nullopt;
    texts.StartText();
    if (file.empty()) continue;
    const std::optional<std::string> bytes = toolkit::ReadWholeFile(
        library::CodeFilePath(code.libraryPath, file), kMaxSearchedCodeBytes);
    if (!bytes) continue;
    texts.AppendLowered(lowering, codeview::DecodeCodeFile(*bytes).text,
                        library::LineBreaks::Apart);
  }
  texts.Finish();
  return texts;
}

}  // namespace app

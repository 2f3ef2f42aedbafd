// The list of the code files the index refers to.
#include "export/core/FileListText.h"

#include "library/core/PathRules.h"
#include "toolkit/core/FileStatus.h"

namespace exports {

std::string FileListText(std::span<const ExportRow> rows, std::string_view libraryPath) {
  std::string out;
  for (const ExportRow& row : rows) {
    const std::string_view file = row.Entry().file;
    if (file.empty()) continue;
    out += file;
    if (!toolkit::IsRegularFile(library::CodeFilePath(libraryPath, file))) out += "\tmissing";
    out += '\n';
  }
  return out;
}

}  // namespace exports

// The forum-posting text of the new entries.
#include "export/core/PostingText.h"

namespace exports {

std::string PostingText(std::span<const ExportRow> rows) {
  std::string out;
  int previousLevel = 0;
  std::string categoryLine;
  for (const ExportRow& row : rows) {
    if (row.level == 1) {
      categoryLine = "[b]" + std::string(row.text) + "[/b]";
    } else if (row.level == 2 && (previousLevel == 1 || previousLevel == 2)) {
      if (previousLevel == 1) out += '\n';
      const library::IndexEntry& entry = row.Entry();
      if (IsNewEntry(entry)) {
        out += categoryLine;
        out += ": \t";
        out += entry.theme_de;
        out += '\n';
      }
    }
    previousLevel = row.level;
  }
  return out;
}

}  // namespace exports

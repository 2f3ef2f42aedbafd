// What the exports read: the index rows in order, each paired with the entry
// of the same index, from the first row the exports walk to the last.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "library/core/IndexEntry.h"
#include "library/core/IndexFill.h"
#include "library/core/LibraryDatabase.h"

namespace exports {

struct ExportRow {
  int level = 0;          // 0 root, 1 category, 2 below a category, 3 and more deeper
  std::string_view text;  // as the index tree shows it
  // The entry of the same index; null when the entry list has no such element.
  const library::IndexEntry* entry = nullptr;

  // The row's entry, or an entry with every field empty when there is none.
  const library::IndexEntry& Entry() const {
    static const library::IndexEntry kNoEntry;
    return entry ? *entry : kNoEntry;
  }
};

// Rows first to the last, row i paired with entries[i]. A negative first
// counts as 0; a first past the end gives no rows.
inline std::vector<ExportRow> PairRows(std::span<const library::IndexRow> rows,
                                       std::span<const library::IndexEntry> entries, long first) {
  std::vector<ExportRow> paired;
  const std::size_t start = first < 0 ? 0 : static_cast<std::size_t>(first);
  if (start >= rows.size()) return paired;
  paired.reserve(rows.size() - start);
  for (std::size_t i = start; i < rows.size(); ++i) {
    paired.push_back({rows[i].level, rows[i].text, i < entries.size() ? &entries[i] : nullptr});
  }
  return paired;
}

// The rows of the database that the exports walk.
inline std::vector<ExportRow> ExportRowsOf(const library::LibraryDatabase& database) {
  return PairRows(database.rows, database.entries, database.firstContentIndex);
}

// A new entry is one whose German title, as the entry holds it, begins with
// the new mark. Without marks shown the German index loses that mark, and
// then no entry counts as new.
inline bool IsNewEntry(const library::IndexEntry& entry) {
  return entry.theme_de.starts_with(library::kNewMark);
}

}  // namespace exports

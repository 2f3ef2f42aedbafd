// The loaded database: its document, the index rows with their entries, and
// what was counted in them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>

#include "library/core/IndexEntry.h"
#include "library/core/IndexFill.h"
#include "library/core/IndexRow.h"
#include "library/core/XmlDocument.h"

namespace library {

struct LibraryDatabase {
  XmlDocument document;
  // Row i of the index tree shows entries[i]; both are rebuilt together with
  // the tree, which shows the rows and is never read back. They live in
  // indexArena and view the strings of documentArena, the arena of the
  // document they were built from.
  std::shared_ptr<const toolkit::Arena> documentArena;
  std::unique_ptr<toolkit::Arena> indexArena;
  IndexRows rows;
  IndexEntries entries;
  std::size_t current = 0;  // the current element of entries

  std::string path;       // full path of the loaded file
  std::string directory;  // folder part of path, ending in "/"
  std::string fileName = "OX-LinuxAPI-Toc.xml";
  std::string versionWord;  // fourth word of the root element's text

  long helpEntryIndex = 0;     // row of the viewer's help entry, 0 when there is none
  long firstContentIndex = 0;  // first row the exports walk
  long topicCount = 0;
  long entryCount = 0;

  // Takes over the rows and entries of a fill; the previous ones go.
  void TakeIndex(IndexFill&& fill) {
    rows = std::move(fill.rows);
    entries = std::move(fill.entries);
    indexArena = std::move(fill.arena);
    documentArena = std::move(fill.documentArena);
    current = 0;
  }
  // No rows and entries, and none of their memory kept.
  void ClearIndex() { TakeIndex(IndexFill{}); }

  // The current entry, or nothing when the list is empty.
  const IndexEntry* Current() const {
    return current < entries.size() ? &entries[current] : nullptr;
  }
  // The level of row i (0 root, 1 category, 2 and deeper); 0 past the end.
  int RowLevel(long i) const {
    return i >= 0 && static_cast<std::size_t>(i) < rows.size()
               ? rows[static_cast<std::size_t>(i)].level
               : 0;
  }
  // Makes element i current when it exists; returns whether it does.
  bool MakeCurrent(long i) {
    if (i < 0 || static_cast<std::size_t>(i) >= entries.size()) return false;
    current = static_cast<std::size_t>(i);
    return true;
  }
};

}  // namespace library

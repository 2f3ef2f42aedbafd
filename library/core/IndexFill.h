// Building the index rows and the entry list together from the database
// document, and counting topics and entries. No display needed: the tree
// gadget shows the rows as they come out.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <type_traits>

#include "library/core/AppSettings.h"
#include "library/core/IndexEntry.h"
#include "library/core/IndexRow.h"
#include "library/core/XmlDocument.h"

namespace library {

inline constexpr const char* kNewMark = "\u2730";      // "✰"
inline constexpr const char* kChangedMark = "\u21BA";  // "↺"

// Row texts longer than this are cut for display (the entry keeps the whole text).
inline constexpr std::size_t kMaxRowTextCharacters = 1000;

struct IndexFillOptions {
  Language language = Language::German;
  bool marksShown = true;    // "DyeingNews"
  bool darkColours = false;  // "DarkMode"
  std::string viewerChapterTitle = "ZUR Erirada Vuvazo";

  bool operator==(const IndexFillOptions&) const = default;
};

// The options of a fill in the language, with the marks and colours that
// the settings hold.
inline IndexFillOptions FillOptionsFor(const AppSettings& settings, Language language,
                                       const std::string& viewerChapterTitle) {
  return IndexFillOptions{language, settings.dyeingNews != 0, settings.darkMode != 0,
                          viewerChapterTitle};
}

// The rows and entries live in the fill's own arena; their texts are views
// of the document's strings, whose arena the fill shares, so they stay
// valid as long as the fill. A refill after a change of language or marks
// makes a new fill of the same document.
struct IndexFill {
  std::shared_ptr<const toolkit::Arena> documentArena;
  std::unique_ptr<toolkit::Arena> arena;
  IndexRows rows;  // row i shows entries[i]
  IndexEntries entries;
  std::optional<long> helpEntryIndex;      // the last row whose file is named "ViewerHelp.txt"
  std::optional<std::string> versionWord;  // set when the document has a root
};

// Rows and entries of the whole document in pre-order, without recursion.
// A large document is built in parts on several threads at once; parts
// other than 0 sets their number, which changes nothing in the result.
IndexFill BuildIndex(const XmlDocument& document, const IndexFillOptions& options, int parts = 0);

struct IndexCounts {
  long topicCount = 0;
  long entryCount = 0;
};

// Topics are categories with children, the viewer's own chapter excepted;
// entries are childless level-2 rows with a file outside that chapter.
IndexCounts CountIndex(std::span<const IndexRow> rows, std::span<const IndexEntry> entries,
                       const std::string& viewerChapterTitle);

// Rows and entries are never destroyed one by one: their memory goes with
// the arena.
static_assert(std::is_trivially_destructible_v<IndexRow>);
static_assert(std::is_trivially_destructible_v<IndexEntry>);

}  // namespace library

// The texts the index search looks through, one per row, lowered once.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "library/core/AppSettings.h"
#include "library/core/IndexEntry.h"
#include "library/core/LoweredTexts.h"
#include "toolkit/core/TextLowering.h"

namespace library {

// What a search looks at, by the "SearchMode" setting.
enum class SearchScope {
  IndexAndDescription = 0,      // the row text and the description of the index language
  IndexOnly = 1,                // the row text
  AllLanguages = 2,             // the row text, all three titles and all three descriptions
  IndexDescriptionAndCode = 3,  // as IndexAndDescription, and the text of the entry's code file
};

// The settings' item of the code scope where the language file has none.
inline constexpr const char* kCodeScopeGermanItem = "Index + Beschreibung + Code";

// The scope of a stored "SearchMode"; a value that names no mode searches
// like the default, so a damaged setting never leaves the search blind.
SearchScope ScopeOfSearchMode(SearchMode mode);

// The text searched for a row: the row text, then by scope ";" and the
// description of the language (also in the code scope, whose code is
// searched apart),
// or ";" before each of theme_de, theme_en, theme_fr, descript_de,
// descript_en and descript_fr.
std::string SearchCandidate(std::string_view rowText, const IndexEntry& entry, SearchScope scope,
                            Language language);

// The lowered candidate of every row in one buffer, rebuilt when the index
// is filled, so a keystroke lowers only the term. Matching is a substring
// test ignoring letter case: each character of candidate and term is lowered
// on its own by the locale's mapping.
class SearchCandidates {
 public:
  // rowText(i) gives the text of row i; entries[i] belongs to row i (a row
  // without an entry searches its text alone).
  void Build(std::size_t rowCount, const std::function<std::string_view(std::size_t)>& rowText,
             std::span<const IndexEntry> entries, SearchScope scope, Language language);
  void Clear();

  // Whether the buffer was built for these rows, scope and language.
  bool BuiltFor(std::size_t rowCount, SearchScope scope, Language language) const {
    return built_ && RowCount() == rowCount && scope_ == scope && language_ == language;
  }
  std::size_t RowCount() const { return texts_.Count(); }
  const toolkit::TextLowering& Lowering() const { return lowering_; }

  // The first row from start on whose candidate contains term ignoring
  // letter case; nothing when no row does or term is empty.
  std::optional<std::size_t> Find(std::string_view term, std::size_t start) const;
  // The same, where a row also matches when its text in code (lowered by
  // Lowering(), text i belonging to row i) holds the term.
  std::optional<std::size_t> Find(std::string_view term, std::size_t start,
                                  const LoweredTexts& code) const;

 private:
  toolkit::TextLowering lowering_;
  LoweredTexts texts_;  // the lowered candidates, one text per row
  SearchScope scope_ = SearchScope::IndexAndDescription;
  Language language_ = Language::German;
  bool built_ = false;
};

}  // namespace library

// The texts the index search looks through, one per row, lowered once.
#include "library/core/SearchCandidates.h"

namespace library {
namespace {

// Calls part for each piece of the candidate in order, separators included.
template <typename Part>
void ForEachPart(std::string_view rowText, const IndexEntry& entry, SearchScope scope,
                 Language language, Part part) {
  part(rowText);
  switch (scope) {
    case SearchScope::IndexOnly:
      break;
    case SearchScope::IndexAndDescription:
    case SearchScope::IndexDescriptionAndCode:
      part(";");
      part(entry.Description(language));
      break;
    case SearchScope::AllLanguages:
      for (const std::string_view* text :
           {&entry.theme_de, &entry.theme_en, &entry.theme_fr, &entry.descript_de,
            &entry.descript_en, &entry.descript_fr}) {
        part(";");
        part(*text);
      }
      break;
  }
}

}  // namespace

SearchScope ScopeOfSearchMode(SearchMode mode) {
  switch (mode) {
    case SearchMode::IndexOnly:
      return SearchScope::IndexOnly;
    case SearchMode::AllLanguages:
      return SearchScope::AllLanguages;
    case SearchMode::IndexDescriptionAndCode:
      return SearchScope::IndexDescriptionAndCode;
    case SearchMode::IndexAndDescription:
      break;
  }
  return SearchScope::IndexAndDescription;
}

std::string SearchCandidate(std::string_view rowText, const IndexEntry& entry, SearchScope scope,
                            Language language) {
  std::string candidate;
  ForEachPart(rowText, entry, scope, language,
              [&candidate](std::string_view part) { candidate += part; });
  return candidate;
}

void SearchCandidates::Build(std::size_t rowCount,
                             const std::function<std::string_view(std::size_t)>& rowText,
                             std::span<const IndexEntry> entries, SearchScope scope,
                             Language language) {
  lowering_ = toolkit::TextLowering();
  texts_ = LoweredTexts();
  const IndexEntry none;
  for (std::size_t i = 0; i < rowCount; ++i) {
    texts_.StartText();
    const IndexEntry& entry = i < entries.size() ? entries[i] : none;
    ForEachPart(rowText(i), entry, scope, language,
                [this](std::string_view part) { texts_.AppendLowered(lowering_, part); });
  }
  texts_.Finish();
  scope_ = scope;
  language_ = language;
  built_ = true;
}

void SearchCandidates::Clear() {
  texts_ = LoweredTexts();
  built_ = false;
}

std::optional<std::size_t> SearchCandidates::Find(std::string_view term, std::size_t start) const {
  if (term.empty()) return std::nullopt;
  return texts_.Find(lowering_.Lower(term), start, RowCount());
}

std::optional<std::size_t> SearchCandidates::Find(std::string_view term, std::size_t start,
                                                  const LoweredTexts& code) const {
  if (term.empty()) return std::nullopt;
  const std::string needle = lowering_.Lower(term);
  const std::optional<std::size_t> inCandidates = texts_.Find(needle, start, RowCount());
  // The code needs searching only up to the row found already.
  const std::optional<std::size_t> inCode =
      code.Find(needle, start, inCandidates.value_or(RowCount()));
  return inCode ? inCode : inCandidates;
}

}  // namespace library

// The texts the index search looks through, one per row, lowered once.
#include "library/SearchCandidates.h"

#include <algorithm>
#include <cstring>

namespace library {
namespace {

const std::string& Description(const IndexEntry& entry, long language) {
  if (language == 0) return entry.descript_de;
  if (language == 1) return entry.descript_en;
  return entry.descript_fr;
}

// Calls part for each piece of the candidate in order, separators included.
template <typename Part>
void ForEachPart(std::string_view rowText, const IndexEntry& entry, SearchScope scope,
                 long language, Part part) {
  part(rowText);
  switch (scope) {
    case SearchScope::IndexOnly:
      break;
    case SearchScope::IndexAndDescription:
      part(";");
      part(Description(entry, language));
      break;
    case SearchScope::AllLanguages:
      for (const std::string* text : {&entry.theme_de, &entry.theme_en, &entry.theme_fr,
                                      &entry.descript_de, &entry.descript_en, &entry.descript_fr}) {
        part(";");
        part(*text);
      }
      break;
  }
}

}  // namespace

SearchScope ScopeOfSearchMode(std::int64_t mode) {
  if (mode == 1) return SearchScope::IndexOnly;
  if (mode == 2) return SearchScope::AllLanguages;
  return SearchScope::IndexAndDescription;
}

std::string SearchCandidate(std::string_view rowText, const IndexEntry& entry, SearchScope scope,
                            long language) {
  std::string candidate;
  ForEachPart(rowText, entry, scope, language,
              [&candidate](std::string_view part) { candidate += part; });
  return candidate;
}

void SearchCandidates::Build(std::size_t rowCount,
                             const std::function<std::string_view(std::size_t)>& rowText,
                             const std::vector<IndexEntry>& entries, SearchScope scope,
                             long language) {
  lowering_ = toolkit::TextLowering();
  text_.clear();
  offsets_.clear();
  offsets_.reserve(rowCount + 1);
  const IndexEntry none;
  for (std::size_t i = 0; i < rowCount; ++i) {
    offsets_.push_back(text_.size());
    const IndexEntry& entry = i < entries.size() ? entries[i] : none;
    ForEachPart(rowText(i), entry, scope, language,
                [this](std::string_view part) { lowering_.AppendLowered(part, text_); });
    text_.push_back('\0');
  }
  offsets_.push_back(text_.size());
  text_.shrink_to_fit();
  scope_ = scope;
  language_ = language;
  built_ = true;
}

void SearchCandidates::Clear() {
  text_ = {};
  offsets_ = {};
  built_ = false;
}

std::optional<std::size_t> SearchCandidates::Find(std::string_view term, std::size_t start) const {
  if (term.empty() || start >= RowCount()) return std::nullopt;
  const std::string needle = lowering_.Lower(term);
  // Candidates hold no NUL (the database is XML), but their separators do.
  if (needle.find('\0') != std::string::npos) return std::nullopt;
  const char* begin = text_.data() + offsets_[start];
  const char* end = text_.data() + text_.size();
  const void* hit =
      memmem(begin, static_cast<std::size_t>(end - begin), needle.data(), needle.size());
  if (!hit) return std::nullopt;
  const auto position = static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
  // The last candidate starting at or before the hit holds it.
  const auto after = std::upper_bound(offsets_.begin(), offsets_.end(), position);
  return static_cast<std::size_t>(after - offsets_.begin()) - 1;
}

}  // namespace library

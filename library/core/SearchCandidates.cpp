// The texts the index search looks through, one per row, lowered once.
#include "library/core/SearchCandidates.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Three places of the needle whose bytes are compared before the whole
// needle: the byte rarest in the searched text, and the first and the last
// byte (or the next rarest where those coincide). Bytes far apart rarely
// agree by chance even when each of them is common.
struct Probes {
  std::array<std::size_t, 3> at{};
};

Probes PickProbes(std::string_view needle, const std::array<std::size_t, 256>& counts) {
  const auto count = [&](std::size_t i) { return counts[static_cast<unsigned char>(needle[i])]; };
  std::size_t rarest = 0;
  for (std::size_t i = 1; i < needle.size(); ++i) {
    if (count(i) < count(rarest)) rarest = i;
  }
  Probes probes{{rarest, 0, needle.size() - 1}};
  // Where two probes coincide, the later one moves to the rarest place not
  // probed yet; a two-byte needle keeps one place twice.
  for (std::size_t slot = 1; slot < probes.at.size(); ++slot) {
    const auto* earlier = probes.at.begin();
    const auto* slotEnd = probes.at.begin() + slot;
    const auto probed = [&](std::size_t i) { return std::find(earlier, slotEnd, i) != slotEnd; };
    if (!probed(probes.at[slot])) continue;
    std::size_t best = std::string_view::npos;
    for (std::size_t i = 0; i < needle.size(); ++i) {
      if (!probed(i) && (best == std::string_view::npos || count(i) < count(best))) best = i;
    }
    if (best != std::string_view::npos) probes.at[slot] = best;
  }
  return probes;
}

// The first place in [begin, end) where needle (two bytes at least) starts,
// or nullptr. Sixteen starting places are tested at once by the three probed
// bytes; only places where all agree are compared in full.
const char* FindNeedle(const char* begin, const char* end, std::string_view needle,
                       const Probes& probes) {
  const std::size_t size = needle.size();
  if (static_cast<std::size_t>(end - begin) < size) return nullptr;
  const char* last = end - size;  // the last possible start
  const char* p = begin;
#if defined(__SSE2__)
  const auto load = [](const char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  };
  const __m128i a = _mm_set1_epi8(needle[probes.at[0]]);
  const __m128i b = _mm_set1_epi8(needle[probes.at[1]]);
  const __m128i c = _mm_set1_epi8(needle[probes.at[2]]);
  for (; last - p >= 15; p += 16) {
    const __m128i agree = _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(load(p + probes.at[0]), a),
                                                      _mm_cmpeq_epi8(load(p + probes.at[1]), b)),
                                        _mm_cmpeq_epi8(load(p + probes.at[2]), c));
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(agree));
    while (mask != 0) {
      const char* at = p + __builtin_ctz(mask);
      if (std::memcmp(at, needle.data(), size) == 0) return at;
      mask &= mask - 1;
    }
  }
#endif
  for (; p <= last; ++p) {
    if (p[probes.at[0]] == needle[probes.at[0]] && std::memcmp(p, needle.data(), size) == 0) {
      return p;
    }
  }
  return nullptr;
}

}  // namespace

SearchScope ScopeOfSearchMode(SearchMode mode) {
  switch (mode) {
    case SearchMode::IndexOnly:
      return SearchScope::IndexOnly;
    case SearchMode::AllLanguages:
      return SearchScope::AllLanguages;
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
  byteCounts_.fill(0);
  for (const char c : text_) ++byteCounts_[static_cast<unsigned char>(c)];
  scope_ = scope;
  language_ = language;
  built_ = true;
}

void SearchCandidates::Clear() {
  text_ = {};
  offsets_ = {};
  byteCounts_.fill(0);
  built_ = false;
}

std::optional<std::size_t> SearchCandidates::Find(std::string_view term, std::size_t start) const {
  if (term.empty() || start >= RowCount()) return std::nullopt;
  const std::string needle = lowering_.Lower(term);
  // Candidates hold no NUL (the database is XML), but their separators do.
  if (needle.find('\0') != std::string::npos) return std::nullopt;
  const char* begin = text_.data() + offsets_[start];
  const char* end = text_.data() + text_.size();
  const char* hit = nullptr;
  if (needle.size() == 1) {
    hit = static_cast<const char*>(
        std::memchr(begin, needle[0], static_cast<std::size_t>(end - begin)));
  } else {
    const Probes probes = PickProbes(needle, byteCounts_);
    // A byte the texts do not hold at all rules every row out at once.
    if (byteCounts_[static_cast<unsigned char>(needle[probes.at[0]])] == 0) return std::nullopt;
    hit = FindNeedle(begin, end, needle, probes);
  }
  if (!hit) return std::nullopt;
  const auto position = static_cast<std::size_t>(hit - text_.data());
  // The last candidate starting at or before the hit holds it.
  const auto after = std::upper_bound(offsets_.begin(), offsets_.end(), position);
  return static_cast<std::size_t>(after - offsets_.begin()) - 1;
}

}  // namespace library

// Many texts, lowered, in one buffer, and finding the first of them that
// holds a lowered needle.
#include "library/core/LoweredTexts.h"

#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace library {
namespace {

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

// Whether the size bytes at a and at b agree. A loop of its own rather than
// a call of memcmp: with a call inside the vector loop below, the compiler
// keeps that loop's vectors on the stack, which made it three times slower.
bool SameBytes(const char* a, const char* b, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
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
      if (SameBytes(at, needle.data(), size)) return at;
      mask &= mask - 1;
    }
  }
#endif
  for (; p <= last; ++p) {
    if (p[probes.at[0]] == needle[probes.at[0]] && SameBytes(p, needle.data(), size)) {
      return p;
    }
  }
  return nullptr;
}

}  // namespace

LoweredTexts& LoweredTexts::operator=(LoweredTexts&& other) noexcept {
  LoweredTexts taken(std::move(other));
  text_.swap(taken.text_);
  offsets_.swap(taken.offsets_);
  std::swap(byteCounts_, taken.byteCounts_);
  std::swap(open_, taken.open_);
  return *this;
}  // taken goes, with the memory this one held

void LoweredTexts::Reserve(std::size_t count, std::size_t bytes) {
  offsets_.reserve(count + 1);
  // Each text ends in a NUL.
  text_.reserve(bytes + count);
}

void LoweredTexts::StartText() {
  if (open_) text_.push_back('\0');
  offsets_.push_back(text_.size());
  open_ = true;
}

void LoweredTexts::AppendLowered(const toolkit::TextLowering& lowering, std::string_view text,
                                 LineBreaks breaks) {
  const std::size_t from = text_.size();
  lowering.AppendLowered(text, text_);
  if (breaks == LineBreaks::Apart) std::replace(text_.begin() + from, text_.end(), '\n', '\0');
}

void LoweredTexts::Finish() {
  if (open_) text_.push_back('\0');
  open_ = false;
  offsets_.push_back(text_.size());
  // Giving back a little room is not worth a copy of the whole buffer.
  if (text_.capacity() - text_.size() > text_.size() / 8) text_.shrink_to_fit();
  offsets_.shrink_to_fit();
  byteCounts_.fill(0);
  for (const char c : text_) ++byteCounts_[static_cast<unsigned char>(c)];
}

const char* LoweredTexts::Search(std::string_view needle, std::size_t start,
                                 std::size_t end) const {
  end = std::min(end, Count());
  if (needle.empty() || start >= end) return nullptr;
  // Texts hold NULs between them and their lines, so a needle with one
  // would match across.
  if (needle.find('\0') != std::string_view::npos) return nullptr;
  const char* begin = text_.data() + offsets_[start];
  const char* stop = text_.data() + offsets_[end];
  if (needle.size() == 1) {
    return static_cast<const char*>(
        std::memchr(begin, needle[0], static_cast<std::size_t>(stop - begin)));
  }
  const Probes probes = PickProbes(needle, byteCounts_);
  // A byte the texts do not hold at all rules every text out at once.
  if (byteCounts_[static_cast<unsigned char>(needle[probes.at[0]])] == 0) return nullptr;
  return FindNeedle(begin, stop, needle, probes);
}

std::optional<std::size_t> LoweredTexts::Find(std::string_view needle, std::size_t start,
                                              std::size_t end) const {
  const char* hit = Search(needle, start, end);
  if (!hit) return std::nullopt;
  const auto position = static_cast<std::size_t>(hit - text_.data());
  // The last text starting at or before the hit holds it.
  const auto after = std::upper_bound(offsets_.begin(), offsets_.end(), position);
  return static_cast<std::size_t>(after - offsets_.begin()) - 1;
}

std::optional<std::size_t> LoweredTexts::FirstLineHolding(std::string_view needle,
                                                          std::size_t text) const {
  const char* hit = Search(needle, text, text + 1);
  if (!hit) return std::nullopt;
  return static_cast<std::size_t>(std::count(text_.data() + offsets_[text], hit, '\0'));
}

}  // namespace library

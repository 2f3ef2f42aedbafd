#include "codeview/core/HighlightRanges.h"

// The six passes of the highlighter as a few linear scans.
//
// The passes are worded as forward searches for fixed ASCII strings, 109 of
// them for the keywords alone. Scanning bytes gives the same matches as the
// character-wise searches of a text buffer: in UTF-8 an ASCII byte never
// occurs inside a multi-byte character, so every ASCII match starts and
// ends on a character boundary; the byte before or after a match is a lead
// or continuation byte exactly when the neighbouring character is not
// ASCII, and such a character is never a word character; and skipping "one
// character" before searching for an ASCII character finds the same match
// whether it skips the whole character or only its first byte.
//
// A keyword (or declared name) match counts only with non-word characters on
// both sides, and the keywords and names consist of word characters only, so
// the counting matches are exactly the maximal runs of word characters equal
// to the keyword. A match that does not count cannot hide one that does: the
// search would continue at its end, but a counting match cannot start inside
// it, since the character before a counting match is not a word character.
// So one walk over the word runs, looked up in a table, finds the matches
// of every keyword at once. Only the declaration keywords need their own
// sequential walk, because their search continues after the declared name
// and so skips occurrences in between.
//
// The scans:
//   1. line ends, ";" and '"': comments (pass 1) and topic links (pass 6);
//   2. '"' and "#": strings (pass 2) and constants (pass 3), which only
//      depend on the comments;
//   3. the runs that begin with "Procedure": the declarations, keyword by
//      keyword (pass 4), which give the names;
//   4. all word runs: the other keywords (pass 4) and the uses of the
//      names (pass 5).
// The tag tests ("carries Disable") look up the sorted ranges of earlier
// passes with a cursor, since each scan asks in text order.

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace codeview {
namespace {

// A keyword is a declaration keyword when it occurs in this text.
constexpr std::string_view kDeclarationKeywordText =
    "Procedure;ProcedureC;ProcedureCDLL;ProcedureDLL";
// What every declaration keyword begins with.
constexpr std::string_view kDeclarationPrefix = "Procedure";
constexpr std::string_view kLinkMarker = "; Link to topic:   ";

constexpr std::array<bool, 256> kWordByte = [] {
  std::array<bool, 256> word{};
  for (int c = 'A'; c <= 'Z'; ++c) word[c] = true;
  for (int c = 'a'; c <= 'z'; ++c) word[c] = true;
  for (int c = '0'; c <= '9'; ++c) word[c] = true;
  word['_'] = true;
  word['$'] = true;
  return word;
}();

inline bool IsWordByte(char c) {
  return kWordByte[static_cast<unsigned char>(c)];
}

// --- Byte masks over 64-byte chunks ----------------------------------------
//
// The scans look at 64 bytes at a time: a mask with one bit per byte says
// which bytes matter, and only those are visited. A text whose length is
// not a multiple of 64 ends with a chunk padded with NUL bytes, which match
// nothing and are no word characters.

constexpr std::size_t kChunk = 64;

#if defined(__SSE2__)

template <typename Bits16>
std::uint64_t Mask64(const char* p, Bits16 bits16) {
  std::uint64_t mask = 0;
  for (int part = 0; part < 4; ++part) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
    mask |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(bits16(bytes)))}
            << (16 * part);
  }
  return mask;
}

inline __m128i Is(__m128i bytes, char c) {
  return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
}

// LF, CR and the first byte of U+2029: where a line delimiter may start.
inline __m128i IsLineByte(__m128i b) {
  return _mm_or_si128(_mm_or_si128(Is(b, '\n'), Is(b, '\r')), Is(b, static_cast<char>(0xE2)));
}

std::uint64_t LineByteMask(const char* p) {
  return Mask64(p, IsLineByte);
}

// Scan 1 looks at the line bytes, '"' and ";".
std::uint64_t CommentByteMask(const char* p) {
  return Mask64(p, [](__m128i b) {
    return _mm_or_si128(IsLineByte(b), _mm_or_si128(Is(b, '"'), Is(b, ';')));
  });
}

// Scan 2 looks at '"' and "#".
std::uint64_t QuoteHashByteMask(const char* p) {
  return Mask64(p, [](__m128i b) { return _mm_or_si128(Is(b, '"'), Is(b, '#')); });
}

// A byte is in [low, low + count) when, shifted by 128 - low, it is below
// count - 128 as a signed byte.
inline __m128i InRange(__m128i b, char low, int count) {
  const __m128i shifted = _mm_add_epi8(b, _mm_set1_epi8(static_cast<char>(128 - low)));
  return _mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(count - 128)));
}

// Word characters: ASCII letters (upper case made lower by setting bit 5,
// which turns no other byte into a letter), digits, "_" and "$".
std::uint64_t WordByteMask(const char* p) {
  return Mask64(p, [](__m128i b) {
    const __m128i letter = InRange(_mm_or_si128(b, _mm_set1_epi8(0x20)), 'a', 26);
    const __m128i digit = InRange(b, '0', 10);
    return _mm_or_si128(_mm_or_si128(letter, digit), _mm_or_si128(Is(b, '_'), Is(b, '$')));
  });
}

#else  // one byte at a time

template <typename Test>
std::uint64_t Mask64(const char* p, Test test) {
  std::uint64_t mask = 0;
  for (std::size_t i = 0; i < kChunk; ++i)
    mask |= std::uint64_t{test(static_cast<unsigned char>(p[i]))} << i;
  return mask;
}
inline bool IsLineByte(unsigned char c) {
  return c == '\n' || c == '\r' || c == 0xE2;
}
std::uint64_t LineByteMask(const char* p) {
  return Mask64(p, IsLineByte);
}
std::uint64_t CommentByteMask(const char* p) {
  return Mask64(p, [](unsigned char c) { return IsLineByte(c) || c == '"' || c == ';'; });
}
std::uint64_t QuoteHashByteMask(const char* p) {
  return Mask64(p, [](unsigned char c) { return c == '"' || c == '#'; });
}
std::uint64_t WordByteMask(const char* p) {
  return Mask64(p, [](unsigned char c) { return kWordByte[c]; });
}

#endif

// Calls visit(chunkStart, mask) for every 64-byte chunk of the text.
template <typename MaskOf, typename Visit>
void ForEachChunk(std::string_view text, MaskOf maskOf, Visit&& visit) {
  const std::size_t size = text.size();
  std::size_t base = 0;
  for (; base + kChunk <= size; base += kChunk) visit(base, maskOf(text.data() + base));
  if (base < size) {
    char padded[kChunk] = {};
    std::memcpy(padded, text.data() + base, size - base);
    visit(base, maskOf(padded));
  }
}

// Calls visit(i) for every byte i whose bit maskOf sets, in text order.
template <typename MaskOf, typename Visit>
void ForEachMarkedByte(std::string_view text, MaskOf maskOf, Visit&& visit) {
  ForEachChunk(text, maskOf, [&](std::size_t base, std::uint64_t mask) {
    for (; mask != 0; mask &= mask - 1)
      visit(base + static_cast<std::size_t>(std::countr_zero(mask)));
  });
}

// Calls visit(start, end) for every maximal run of word characters. The
// runs start and end where a byte's wordness differs from the one before.
template <typename Visit>
void ForEachWordRun(std::string_view text, Visit&& visit) {
  bool inRun = false;
  std::size_t runStart = 0;
  std::uint64_t lastBitBefore = 0;  // the text starts after a non-word character
  ForEachChunk(text, WordByteMask, [&](std::size_t base, std::uint64_t mask) {
    std::uint64_t changes = mask ^ ((mask << 1) | lastBitBefore);
    lastBitBefore = mask >> 63;
    for (; changes != 0; changes &= changes - 1) {
      const std::size_t at = base + static_cast<std::size_t>(std::countr_zero(changes));
      if (inRun) visit(runStart, at);
      runStart = at;
      inRun = !inRun;
    }
  });
  if (inRun) visit(runStart, text.size());
}

// The length of the line delimiter that starts at i (LF, CR, CR LF or
// U+2029), 0 when none starts there.
std::size_t DelimiterLength(std::string_view text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  if (c == '\n') return 1;
  if (c == '\r') return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
  if (c == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
      static_cast<unsigned char>(text[i + 2]) == 0xA9)
    return 3;
  return 0;
}

// Whether a tag carries a position, for positions asked in ascending order.
// The ranges are sorted by start and either disjoint or equal, so the first
// range that ends after the position is the only one that can hold it.
class TagCursor {
 public:
  explicit TagCursor(const std::vector<TextRange>& ranges) : ranges_(ranges) {}
  bool Carries(std::size_t pos) {
    while (next_ < ranges_.size() && ranges_[next_].end <= pos) ++next_;
    return next_ < ranges_.size() && ranges_[next_].start <= pos;
  }

 private:
  const std::vector<TextRange>& ranges_;
  std::size_t next_ = 0;
};

// The keywords by first letter and length, for looking up a word run.
class KeywordTable {
 public:
  static constexpr std::size_t kMaxLength = 18;

  KeywordTable() {
    for (std::size_t k = 0; k < kKeywordCount; ++k) {
      const std::string_view keyword = kKeywords[k];
      const std::size_t bucket = Bucket(keyword[0], keyword.size());
      if (counts_[bucket] == kSlots) std::abort();  // the table has at most 4 per bucket
      slots_[bucket][counts_[bucket]++] = static_cast<std::uint8_t>(k);
      const bool declaration = kDeclarationKeywordText.find(keyword) != std::string_view::npos;
      if (declaration && !keyword.starts_with(kDeclarationPrefix))
        std::abort();  // ScanDeclarations relies on it
      declaration_[k] =
          declaration ? static_cast<std::int8_t>(declarationCount_++) : std::int8_t{-1};
    }
  }

  // The keyword index of a word run, -1 when it is no keyword.
  int Find(const char* word, std::size_t length) const {
    if (length > kMaxLength || word[0] < 'A' || word[0] > 'Z') return -1;
    const std::size_t bucket = Bucket(word[0], length);
    for (std::size_t i = 0; i < counts_[bucket]; ++i) {
      const std::uint8_t k = slots_[bucket][i];
      const char* keyword = kKeywords[k].data();
      if (keyword[length - 1] == word[length - 1] && std::memcmp(keyword, word, length) == 0)
        return k;
    }
    return -1;
  }

  // 0, 1, ... for the declaration keywords in table order, -1 for the others.
  int Declaration(int keyword) const { return declaration_[static_cast<std::size_t>(keyword)]; }
  std::size_t DeclarationCount() const { return declarationCount_; }

 private:
  static constexpr std::size_t kSlots = 4;
  static std::size_t Bucket(char first, std::size_t length) {
    return static_cast<std::size_t>(first - 'A') * (kMaxLength + 1) + length;
  }
  std::array<std::array<std::uint8_t, kSlots>, 26 * (kMaxLength + 1)> slots_{};
  std::array<std::uint8_t, 26 * (kMaxLength + 1)> counts_{};
  std::array<std::int8_t, kKeywordCount> declaration_{};
  std::size_t declarationCount_ = 0;
};

const KeywordTable& Keywords() {
  static const KeywordTable table;
  return table;
}

// The distinct non-empty declared names, for looking up a word run.
class NameSet {
 public:
  explicit NameSet(const std::vector<std::string>& names) {
    std::size_t capacity = 16;
    while (capacity < names.size() * 2) capacity *= 2;
    slots_.assign(capacity, std::string_view());
    mask_ = capacity - 1;
    for (const std::string& name : names) {
      if (name.empty()) continue;  // an empty name would match in the same place forever
      std::size_t slot = Hash(name.data(), name.size()) & mask_;
      while (!slots_[slot].empty() && slots_[slot] != name) slot = (slot + 1) & mask_;
      if (slots_[slot].empty()) {
        slots_[slot] = name;
        lengthsByFirstByte_[static_cast<unsigned char>(name[0])] |= std::uint64_t{1}
                                                                    << (name.size() & 63);
        ++size_;
      }
    }
  }

  bool Empty() const { return size_ == 0; }

  bool Contains(const char* word, std::size_t length) const {
    if ((lengthsByFirstByte_[static_cast<unsigned char>(word[0])] >> (length & 63) & 1) == 0)
      return false;
    const std::string_view key(word, length);
    for (std::size_t slot = Hash(word, length) & mask_; !slots_[slot].empty();
         slot = (slot + 1) & mask_) {
      if (slots_[slot] == key) return true;
    }
    return false;
  }

 private:
  // From the length and the first and last (up to) eight bytes.
  static std::size_t Hash(const char* data, std::size_t length) {
    std::uint64_t head = 0;
    std::uint64_t tail = 0;
    if (length >= 8) {
      std::memcpy(&head, data, 8);
      std::memcpy(&tail, data + length - 8, 8);
    } else {
      std::memcpy(&head, data, length);
    }
    std::uint64_t hash = (head * 0x9E3779B97F4A7C15ull) ^ (tail * 0xC2B2AE3D27D4EB4Full) ^ length;
    hash ^= hash >> 29;
    hash *= 0xBF58476D1CE4E5B9ull;
    return static_cast<std::size_t>(hash ^ (hash >> 32));
  }

  std::vector<std::string_view> slots_;  // views into the caller's names
  std::size_t mask_ = 0;
  std::size_t size_ = 0;
  std::array<std::uint64_t, 256> lengthsByFirstByte_{};
};

std::vector<TextRange>& Ranges(HighlightRanges& result, Tag tag) {
  return result.ranges[static_cast<std::size_t>(tag)];
}

// Scan 1: comments (pass 1) and topic links (pass 6).
//
// Pass 1: a ";" opens a comment to the end of its line when the double
// quotes from the start of the line before up to the ";" are even in number;
// after a comment the search goes on at the next line, after a ";" inside a
// string just after it. Only the parities matter: that of the whole line
// before and that of the current line up to the ";".
//
// Pass 6: the marker starts with ";" and holds no line delimiter; after a
// link the search goes on at the next line, so each line's link is its
// first marker, with the rest of the line as the target.
void ScanCommentsAndLinks(std::string_view text, HighlightRanges& result) {
  std::vector<TextRange>& comments = Ranges(result, Tag::Disable);
  constexpr std::size_t kNone = std::string_view::npos;
  bool lineBeforeOdd = false;  // the first line has no line before
  bool odd = false;            // quotes of the current line so far
  std::size_t comment = kNone;
  std::size_t target = kNone;
  std::size_t next = 0;  // bytes before this one belong to a delimiter already handled
  const auto endLine = [&](std::size_t end) {
    if (comment != kNone) comments.push_back({comment, end});
    if (target != kNone)
      result.links.push_back({target, end, std::string(text.substr(target, end - target))});
    lineBeforeOdd = odd;
    odd = false;
    comment = kNone;
    target = kNone;
  };
  ForEachMarkedByte(text, CommentByteMask, [&](std::size_t i) {
    if (i < next) return;  // the LF of CR LF
    switch (text[i]) {
      case '"':
        odd = !odd;
        break;
      case ';':
        if (comment == kNone && odd == lineBeforeOdd) comment = i;
        if (target == kNone && text.compare(i, kLinkMarker.size(), kLinkMarker) == 0)
          target = i + kLinkMarker.size();
        break;
      default:  // LF, CR or maybe U+2029
        if (const std::size_t length = DelimiterLength(text, i); length != 0) {
          endLine(i);
          next = i + length;
        }
        break;
    }
  });
  endLine(text.size());
}

// Scan 2: strings (pass 2) and constants (pass 3), which depend on the
// comments only, each with its own search position.
//
// Pass 2: a double quote outside comments opens a string that the next
// double quote closes, wherever that is; the inside is a literal. (The
// step of one character from the old search position past a quote in a
// comment ends just after that quote.)
//
// Pass 3: a "#" outside comments and not after a word character, with the
// word characters after it; the character after the range (or after a "#"
// not tagged) is not searched.
void ScanStringsAndConstants(std::string_view text, HighlightRanges& result) {
  std::vector<TextRange>& literals = Ranges(result, Tag::Literal);
  std::vector<TextRange>& constants = Ranges(result, Tag::Constant);
  TagCursor commentForQuotes(Ranges(result, Tag::Disable));
  TagCursor commentForHashes(Ranges(result, Tag::Disable));
  bool inString = false;
  std::size_t open = 0;
  std::size_t constantSearch = 0;
  ForEachMarkedByte(text, QuoteHashByteMask, [&](std::size_t i) {
    if (text[i] == '"') {
      if (inString) {
        literals.push_back({open + 1, i});
        inString = false;
      } else if (!commentForQuotes.Carries(i)) {
        open = i;
        inString = true;
      }
      return;
    }
    if (i < constantSearch) return;  // the "#" right after a range or a "#"
    if ((i == 0 || !IsWordByte(text[i - 1])) && !commentForHashes.Carries(i)) {
      std::size_t end = i + 1;
      while (end < text.size() && IsWordByte(text[end])) ++end;
      constants.push_back({i, end});
      constantSearch = end + 1;
    } else {
      constantSearch = i + 2;
    }
  });
}

// Scan 3: the declarations (pass 4, declaration keywords only).
//
// Every declaration keyword begins with "Procedure", so their counting
// matches are the maximal word runs that begin with "Procedure" and equal
// one of them, outside comments and strings. Then, keyword by keyword in
// table order, each search continues after the declared name: the first
// space after the keyword (wherever it is), past all spaces, over the word
// characters. Matches before that point are never found and stay plain.
// Returns the keyword ranges of the matches that were found, by start.
std::vector<TextRange> ScanDeclarations(std::string_view text, HighlightRanges& result) {
  const char* const data = text.data();
  const std::size_t size = text.size();
  const KeywordTable& keywords = Keywords();

  std::vector<std::vector<TextRange>> matches(keywords.DeclarationCount());
  TagCursor comment(Ranges(result, Tag::Disable));
  TagCursor literal(Ranges(result, Tag::Literal));
  for (std::size_t pos = text.find(kDeclarationPrefix); pos != std::string_view::npos;) {
    const std::size_t start = pos;
    std::size_t end = start + kDeclarationPrefix.size();
    while (end < size && IsWordByte(data[end])) ++end;
    pos = text.find(kDeclarationPrefix, end);
    if (start > 0 && IsWordByte(data[start - 1])) continue;
    const int k = keywords.Find(data + start, end - start);
    if (k < 0 || keywords.Declaration(k) < 0) continue;  // ProcedureReturn, or no keyword
    if (comment.Carries(start) || literal.Carries(start)) continue;
    matches[static_cast<std::size_t>(keywords.Declaration(k))].push_back({start, end});
  }

  std::vector<TextRange> found;
  std::vector<TextRange>& functions = Ranges(result, Tag::Function);
  for (const std::vector<TextRange>& ofKeyword : matches) {
    std::size_t pos = 0;
    for (const TextRange& match : ofKeyword) {
      if (match.start < pos) continue;
      found.push_back(match);
      const void* space =
          match.end < size ? std::memchr(data + match.end, ' ', size - match.end) : nullptr;
      if (space == nullptr) break;
      std::size_t start = static_cast<std::size_t>(static_cast<const char*>(space) - data);
      while (start < size && data[start] == ' ') ++start;
      std::size_t end = start;
      while (end < size && IsWordByte(data[end])) ++end;
      functions.push_back({start, end});
      result.procedureNames.emplace_back(data + start, end - start);
      pos = end;
    }
  }
  const auto byStart = [](const TextRange& a, const TextRange& b) { return a.start < b.start; };
  std::stable_sort(functions.begin(), functions.end(), byStart);
  // Two declaration keywords can reach the same name (a name run is maximal,
  // so two of them are equal or disjoint): keep each range once.
  functions.erase(std::unique(functions.begin(), functions.end()), functions.end());
  std::sort(found.begin(), found.end(), byStart);
  return found;
}

// Scan 4: one walk over the word runs for the other keywords (pass 4) and
// for the uses of the declared names outside comments, strings and
// declarations (pass 5). A name declared twice gives the same ranges, so
// each distinct name is looked for once.
void ScanKeywordsAndNameUses(std::string_view text, library::CodeMarking codeMarks,
                             const std::vector<TextRange>& declarationKeywords,
                             HighlightRanges& result) {
  const bool markKeywords =
      codeMarks == library::CodeMarking::Bold || codeMarks == library::CodeMarking::BlueBold;
  const NameSet names(result.procedureNames);
  if (!markKeywords && names.Empty()) return;
  const KeywordTable& keywords = Keywords();
  std::vector<TextRange> otherKeywords;
  std::vector<TextRange>& uses = Ranges(result, Tag::FuncCall);
  TagCursor comment(Ranges(result, Tag::Disable));
  TagCursor literal(Ranges(result, Tag::Literal));
  TagCursor declaration(Ranges(result, Tag::Function));
  ForEachWordRun(text, [&](std::size_t start, std::size_t end) {
    const char* word = text.data() + start;
    if (markKeywords) {
      const int k = keywords.Find(word, end - start);
      if (k >= 0 && keywords.Declaration(k) < 0 && !comment.Carries(start) &&
          !literal.Carries(start))
        otherKeywords.push_back({start, end});
    }
    if (!names.Empty() && names.Contains(word, end - start) && !comment.Carries(start) &&
        !literal.Carries(start) && !declaration.Carries(start))
      uses.push_back({start, end});
  });
  if (markKeywords) {
    std::vector<TextRange>& marked =
        Ranges(result, codeMarks == library::CodeMarking::Bold ? Tag::FBold : Tag::BlueBold);
    marked.resize(otherKeywords.size() + declarationKeywords.size());
    std::merge(otherKeywords.begin(), otherKeywords.end(), declarationKeywords.begin(),
               declarationKeywords.end(), marked.begin(),
               [](const TextRange& a, const TextRange& b) { return a.start < b.start; });
  }
}

}  // namespace

HighlightRanges ScanHighlightRanges(std::string_view text, library::CodeMarking codeMarks) {
  HighlightRanges result;
  ScanCommentsAndLinks(text, result);
  ScanStringsAndConstants(text, result);
  const std::vector<TextRange> declarationKeywords = ScanDeclarations(text, result);
  ScanKeywordsAndNameUses(text, codeMarks, declarationKeywords, result);
  return result;
}

LineIndex::LineIndex(std::string_view text) {
  starts_.push_back(0);
  std::size_t next = 0;
  ForEachMarkedByte(text, LineByteMask, [&](std::size_t i) {
    if (i < next) return;  // the LF of CR LF
    if (const std::size_t length = DelimiterLength(text, i); length != 0) {
      next = i + length;
      starts_.push_back(next);
    }
  });
  lineAtBlock_.resize((text.size() >> kBlockBits) + 1);
  std::size_t line = 0;
  for (std::size_t block = 0; block < lineAtBlock_.size(); ++block) {
    const std::size_t offset = block << kBlockBits;
    while (line + 1 < starts_.size() && starts_[line + 1] <= offset) ++line;
    lineAtBlock_[block] = static_cast<std::uint32_t>(line);
  }
}

LineIndex::Position LineIndex::Locate(std::size_t offset) const {
  // The line lies between the lines of this block's start and the next's.
  const std::size_t block = std::min(offset >> kBlockBits, lineAtBlock_.size() - 1);
  const std::size_t first = lineAtBlock_[block];
  const std::size_t last =
      block + 1 < lineAtBlock_.size() ? lineAtBlock_[block + 1] : starts_.size() - 1;
  const auto after =
      std::upper_bound(starts_.begin() + static_cast<std::ptrdiff_t>(first) + 1,
                       starts_.begin() + static_cast<std::ptrdiff_t>(last) + 1, offset);
  const std::size_t line = static_cast<std::size_t>(after - starts_.begin()) - 1;
  return {static_cast<int>(line), static_cast<int>(offset - starts_[line])};
}

}  // namespace codeview

// Building the index rows and the entry list together from the database
// document, and counting topics and entries.
#include "library/core/IndexFill.h"

#include <algorithm>
#include <future>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

#include "library/core/PathRules.h"
#include "toolkit/core/TextEncoding.h"

namespace library {
namespace {

constexpr std::string_view kHelpFileName = "ViewerHelp.txt";

constexpr int Grey(int level) {
  return level + level * 256 + level * 65536;
}

constexpr int kOddCategoryLight = Grey(240);
constexpr int kEvenCategoryLight = Grey(232);
constexpr int kOddCategoryDark = Grey(176);
constexpr int kEvenCategoryDark = Grey(161);
constexpr int kViewerChapterBackground = Grey(184);
constexpr int kRootBackground = Grey(127);
constexpr int kRootText = Grey(255);

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view blanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

// The length in bytes of a leading new or changed mark; 0 without one.
std::size_t MarkLength(std::string_view title) {
  if (StartsWith(title, kNewMark)) return std::string_view(kNewMark).size();
  if (StartsWith(title, kChangedMark)) return std::string_view(kChangedMark).size();
  return 0;
}

// The fourth word of text, words being separated by single spaces (two
// spaces in a row enclose an empty word); empty when there are fewer.
std::string FourthWord(std::string_view text) {
  std::size_t start = 0;
  for (int word = 0; word < 3; ++word) {
    const std::size_t space = text.find(' ', start);
    if (space == std::string_view::npos) return {};
    start = space + 1;
  }
  return std::string(text.substr(start, text.find(' ', start) - start));
}

std::string_view RowText(std::string_view text) {
  return toolkit::FirstCharacters(text, kMaxRowTextCharacters);
}

// The entry field an attribute of this name fills; none for any other name,
// which gives the element's caption instead.
std::string_view IndexEntry::*FieldFor(std::string_view name) {
  if (name == "theme_de") return &IndexEntry::theme_de;
  if (name == "theme_en") return &IndexEntry::theme_en;
  if (name == "theme_fr") return &IndexEntry::theme_fr;
  if (name == "descript_de") return &IndexEntry::descript_de;
  if (name == "descript_en") return &IndexEntry::descript_en;
  if (name == "descript_fr") return &IndexEntry::descript_fr;
  if (name == "File") return &IndexEntry::file;
  return nullptr;
}

// The caption of an element: the last attribute that fills no entry field
// wins, even when it is empty.
std::string_view CaptionOf(const XmlElement& element) {
  std::string_view caption;
  for (const XmlAttribute& attribute : element.attributes) {
    if (!FieldFor(attribute.name)) caption = attribute.value;
  }
  return caption;
}

// What the rows of [begin, end) take over from the elements before begin.
struct PartStart {
  long categoryCounter = 0;  // categories since the last root
  std::string_view group;    // the last non-empty caption
};

PartStart StartOfPart(std::span<const XmlElement> elements, std::size_t begin) {
  PartStart start;
  for (std::size_t i = 0; i < begin; ++i) {
    if (elements[i].depth == 0) start.categoryCounter = 0;
    if (elements[i].depth == 1) ++start.categoryCounter;
  }
  for (std::size_t i = begin; i-- > 0;) {
    const std::string_view caption = CaptionOf(elements[i]);
    if (!caption.empty()) {
      start.group = caption;
      break;
    }
  }
  return start;
}

// What a part found that the whole fill keeps only the last of.
struct PartFindings {
  std::optional<long> helpEntryIndex;
  std::optional<std::string> versionWord;
};

// Builds rows and entries [begin, end) into their places, which exist.
PartFindings BuildPart(std::span<const XmlElement> elements, std::size_t begin, std::size_t end,
                       const IndexFillOptions& options, IndexFill& fill) {
  PartFindings findings;
  PartStart start = StartOfPart(elements, begin);
  long categoryCounter = start.categoryCounter;
  std::string_view group = start.group;
  for (std::size_t i = begin; i < end; ++i) {
    const XmlElement& element = elements[i];
    const int level = element.depth;
    if (level == 0) categoryCounter = 0;

    IndexEntry& entry = fill.entries[i];
    std::string_view caption;
    for (const XmlAttribute& attribute : element.attributes) {
      if (std::string_view IndexEntry::*field = FieldFor(attribute.name)) {
        entry.*field = attribute.value;
      } else {
        caption = attribute.value;  // the last one of any other name wins
      }
    }
    if (level == 1) ++categoryCounter;

    IndexRow& row = fill.rows[i];
    row.level = level;
    if (level >= 2) {
      std::string_view& title = entry.Title(options.language);
      const std::size_t mark = MarkLength(title);
      if (options.marksShown) {
        row.text = RowText(title.substr(mark));
      } else {
        title.remove_prefix(mark);
        row.text = RowText(title);
      }
    } else {
      row.text = RowText(caption);
      if (caption == options.viewerChapterTitle) {
        row.background = kViewerChapterBackground;
      } else if (level == 1) {
        const bool odd = categoryCounter % 2 == 1;
        row.background = options.darkColours ? (odd ? kOddCategoryDark : kEvenCategoryDark)
                                             : (odd ? kOddCategoryLight : kEvenCategoryLight);
      }
    }

    const std::string_view text = Trimmed(element.text);
    if (!entry.file.empty() && FilePart(entry.file) == kHelpFileName) {
      findings.helpEntryIndex = static_cast<long>(i);
    }
    if (!caption.empty()) group = caption;
    entry.text = text;
    entry.group = group;

    if (options.marksShown) {
      if (StartsWith(entry.theme_de, kNewMark)) {
        row.icon = RowIcon::New;
      } else if (StartsWith(entry.theme_de, kChangedMark)) {
        row.icon = RowIcon::Changed;
      }
    }
    if (level == 0) findings.versionWord = FourthWord(text);
  }
  return findings;
}

// Below this many elements a second thread costs more than it saves.
constexpr std::size_t kElementsPerExtraPart = 4096;

int PartsFor(std::size_t elements) {
  const unsigned cores = std::thread::hardware_concurrency();
  if (cores < 2 || elements < 2 * kElementsPerExtraPart) return 1;
  return 2;
}

}  // namespace

IndexFill BuildIndex(const XmlDocument& document, const IndexFillOptions& options, int parts) {
  IndexFill fill;
  if (!document.HasRoot()) return fill;
  const std::span<const XmlElement> elements = document.elements;
  const std::size_t count = elements.size();
  if (parts <= 0) parts = PartsFor(count);
  parts = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(parts), count));
  fill.documentArena = document.arena;
  // Both lists in one block, reserved and mapped in one call.
  fill.arena = std::make_unique<toolkit::Arena>(count * (sizeof(IndexRow) + sizeof(IndexEntry)) +
                                                alignof(IndexRow) + alignof(IndexEntry));
  fill.rows = IndexRows(count, toolkit::ArenaAllocator<IndexRow>(fill.arena.get()));
  fill.entries = IndexEntries(count, toolkit::ArenaAllocator<IndexEntry>(fill.arena.get()));

  // Each part writes only its own rows and entries and reads the shared
  // document, so the parts run at once; the first runs on this thread.
  const auto bound = [&](int part) { return count * static_cast<std::size_t>(part) / parts; };
  std::vector<std::future<PartFindings>> others;
  std::vector<PartFindings> findings(static_cast<std::size_t>(parts));
  for (int part = 1; part < parts; ++part) {
    const auto build = [&, part] {
      return BuildPart(elements, bound(part), bound(part + 1), options, fill);
    };
    try {
      others.push_back(std::async(std::launch::async, build));
    } catch (const std::system_error&) {
      // No thread to be had: this part is built here after the first.
      others.push_back(std::async(std::launch::deferred, build));
    }
  }
  findings[0] = BuildPart(elements, 0, bound(1), options, fill);
  for (int part = 1; part < parts; ++part) {
    findings[static_cast<std::size_t>(part)] = others[static_cast<std::size_t>(part - 1)].get();
  }
  for (PartFindings& found : findings) {
    if (found.helpEntryIndex) fill.helpEntryIndex = found.helpEntryIndex;
    if (found.versionWord) fill.versionWord = std::move(found.versionWord);
  }

  fill.rows.front().background = kRootBackground;
  fill.rows.front().textColour = kRootText;
  return fill;
}

IndexCounts CountIndex(std::span<const IndexRow> rows, std::span<const IndexEntry> entries,
                       const std::string& viewerChapterTitle) {
  IndexCounts counts;
  bool inViewerChapter = false;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int level = rows[i].level;
    const bool hasChildren = i + 1 < rows.size() && rows[i + 1].level > level;
    if (hasChildren && level == 1) {
      if (rows[i].text == viewerChapterTitle) {
        inViewerChapter = true;
      } else {
        ++counts.topicCount;
        inViewerChapter = false;
      }
    } else if (!hasChildren && level == 2) {
      if (!inViewerChapter && i < entries.size() && !entries[i].file.empty()) {
        ++counts.entryCount;
      }
    }
  }
  return counts;
}

}  // namespace library

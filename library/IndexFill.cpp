// Building the index rows and the entry list together from the database
// document, and counting topics and entries.
#include "library/IndexFill.h"

#include <string_view>

#include "library/PathRules.h"
#include "toolkit/TextEncoding.h"

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

std::string RowText(std::string_view text) {
  return std::string(toolkit::FirstCharacters(text, kMaxRowTextCharacters));
}

}  // namespace

IndexFill BuildIndex(const XmlDocument& document, const IndexFillOptions& options) {
  IndexFill fill;
  if (!document.HasRoot()) return fill;
  fill.rows.reserve(document.elements.size());
  fill.entries.reserve(document.elements.size());

  long categoryCounter = 0;
  std::string_view group;
  for (const XmlElement& element : document.elements) {
    const int level = element.depth;
    if (level == 0) categoryCounter = 0;

    IndexEntry& entry = fill.entries.emplace_back();
    std::string_view caption;
    for (const XmlAttribute& attribute : element.attributes) {
      const std::string_view name = attribute.name;
      if (name == "theme_de") {
        entry.theme_de = attribute.value;
      } else if (name == "theme_en") {
        entry.theme_en = attribute.value;
      } else if (name == "theme_fr") {
        entry.theme_fr = attribute.value;
      } else if (name == "descript_de") {
        entry.descript_de = attribute.value;
      } else if (name == "descript_en") {
        entry.descript_en = attribute.value;
      } else if (name == "descript_fr") {
        entry.descript_fr = attribute.value;
      } else if (name == "File") {
        entry.file = attribute.value;
      } else {
        caption = attribute.value;  // the last one of any other name wins
      }
    }
    if (level == 1) ++categoryCounter;

    IndexRow& row = fill.rows.emplace_back();
    row.level = level;
    if (level >= 2) {
      std::string& title = options.language == 0   ? entry.theme_de
                           : options.language == 1 ? entry.theme_en
                                                   : entry.theme_fr;
      const std::size_t mark = MarkLength(title);
      if (options.marksShown) {
        row.text = RowText(std::string_view(title).substr(mark));
      } else {
        title.erase(0, mark);
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
      fill.helpEntryIndex = static_cast<long>(fill.rows.size() - 1);
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
    if (level == 0) fill.versionWord = FourthWord(text);
  }

  fill.rows.front().background = kRootBackground;
  fill.rows.front().textColour = kRootText;
  return fill;
}

IndexCounts CountIndex(const std::vector<IndexRow>& rows, const std::vector<IndexEntry>& entries,
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

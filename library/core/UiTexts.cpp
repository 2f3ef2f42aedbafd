// The UI texts of the language file.
#include "library/core/UiTexts.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "toolkit/core/TextEncoding.h"
#include "toolkit/core/TextLines.h"
#include "toolkit/core/WholeFile.h"

namespace library {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kItemsSection = "[LanguageItems]";
constexpr std::string_view kTooltipSection = "[Tooltips]";
constexpr std::string_view kTooltipPrefix = "TT";

std::string_view WithoutLeadingSpaces(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view WithoutTrailingSpaces(std::string_view text) {
  const size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// A line split at its first "=": the name loses its trailing spaces, the
// value its leading ones; trailing spaces of the value are part of the text.
// A line without "=" has an empty name.
struct NamedLine {
  std::string_view name;
  std::string_view value;
};

NamedLine SplitLine(std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {};
  return {WithoutTrailingSpaces(line.substr(0, equals)),
          WithoutLeadingSpaces(line.substr(equals + 1))};
}

}  // namespace

void UiTexts::Parse(std::string_view fileText) {
  items_.clear();
  loaded_ = true;
  if (fileText.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    fileText.remove_prefix(kByteOrderMark.size());
  }
  // The texts go onto labels and tooltips, which take valid UTF-8 only: an
  // invalid sequence or a NUL becomes U+FFFD here, once for the whole file.
  const std::string validText = toolkit::ValidUtf8(fileText);

  const std::vector<std::string_view> lines = toolkit::SplitLines(validText);
  // Everything up to and including the items' section line is preamble.
  auto next = std::find_if(lines.begin(), lines.end(), [](std::string_view line) {
    return WithoutLeadingSpaces(line) == kItemsSection;
  });
  if (next != lines.end()) ++next;

  // After a "Key" line the "de", "en" and "fr" lines must follow directly,
  // in this order. A line that breaks the sequence ends the item and is then
  // read like any other line, so a "Key" or "[Tooltips]" right after an
  // incomplete item still counts.
  enum class Expect { kKey, kGerman, kEnglish, kFrench };
  Expect expect = Expect::kKey;
  bool tooltips = false;
  std::string identifier;
  UiTextItem* item = nullptr;

  for (; next != lines.end(); ++next) {
    const std::string_view line = WithoutLeadingSpaces(*next);
    const NamedLine named = SplitLine(line);
    switch (expect) {
      case Expect::kGerman:
        if (named.name == "de") {
          // A repeated identifier keeps its one item; the later texts win.
          item = &items_[identifier];
          item->de = named.value;
          expect = Expect::kEnglish;
          continue;
        }
        break;
      case Expect::kEnglish:
        if (named.name == "en") {
          item->en = named.value;
          expect = Expect::kFrench;
          continue;
        }
        break;
      case Expect::kFrench:
        if (named.name == "fr") {
          item->fr = named.value;
          expect = Expect::kKey;
          continue;
        }
        break;
      case Expect::kKey:
        break;
    }
    expect = Expect::kKey;

    if (line == kTooltipSection) {
      tooltips = true;
    } else if (named.name == "Key") {
      identifier.assign(tooltips ? kTooltipPrefix : std::string_view());
      identifier.append(named.value);
      expect = Expect::kGerman;
    }
  }
}

bool UiTexts::LoadFile(const std::string& path) {
  const std::optional<std::string> bytes = toolkit::ReadWholeFile(path);
  if (!bytes) return false;
  Parse(*bytes);
  return true;
}

std::string UiTexts::Lookup(std::string_view identifier, bool tooltip,
                            std::string_view code) const {
  if (!loaded_) return {};
  std::string key;
  if (tooltip) key.assign(kTooltipPrefix);
  key.append(identifier);
  const auto found = items_.find(key);
  if (found == items_.end()) return {};
  const UiTextItem& item = found->second;
  if (code == "de") return item.de;
  if (code == "en") return item.en;
  if (code == "fr") return item.fr;
  return {};
}

std::string LanguageCode(Language language) {
  switch (language) {
    case Language::German:
      return "de";
    case Language::English:
      return "en";
    case Language::French:
      return "fr";
  }
  return {};
}

std::string LanguageCodeOfLang(const char* lang) {
  // The second byte is only looked at when the first is not the end, so a
  // value of one character or none is never read past.
  if (lang == nullptr || lang[0] == '\0' || lang[1] == '\0') return {};
  return std::string(lang, 2);
}

std::vector<std::string> SelectorItems(std::string_view text, std::size_t count) {
  std::vector<std::string> items(count);
  for (std::string& item : items) {
    const size_t tab = text.find('\t');
    item = text.substr(0, tab);
    if (tab == std::string_view::npos) break;
    text.remove_prefix(tab + 1);
  }
  return items;
}

}  // namespace library

// The UI texts of the language file: identifiers with German, English and
// French texts, tooltips under their identifier prefixed with "TT".
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "library/core/Language.h"

namespace library {

struct UiTextItem {
  std::string de;
  std::string en;
  std::string fr;
};

class UiTexts {
 public:
  // Replaces the table with the items of a language file's text and marks
  // it loaded. Text without "[LanguageItems]" gives an empty table. A
  // byte-order mark at the start is skipped. An item is a "Key" line
  // followed directly by its "de", "en" and "fr" lines; a line that breaks
  // that sequence is read as an ordinary line again, and a "Key" without a
  // "de" line adds nothing.
  void Parse(std::string_view fileText);

  // Reads the file at path into the table. False, leaving the table and its
  // loaded state as they were, when the file cannot be read.
  bool LoadFile(const std::string& path);

  bool Loaded() const { return loaded_; }

  // The text of identifier for the language code "de", "en" or "fr"; with
  // tooltip set, the identifier's tooltip. Empty for an unknown identifier,
  // another code, or a table not loaded.
  std::string Lookup(std::string_view identifier, bool tooltip, std::string_view code) const;

  const std::map<std::string, UiTextItem, std::less<>>& Items() const { return items_; }

  // Whether the missing-file message has been shown during this run.
  bool warned = false;

 private:
  std::map<std::string, UiTextItem, std::less<>> items_;
  bool loaded_ = false;
};

// The language code of a language setting: "de", "en", "fr" for German,
// English, French, empty for a value that names no language.
std::string LanguageCode(Language language);

// The language code taken from a "LANG" value: its first two characters;
// empty when the value is missing (nullptr) or shorter than two characters.
std::string LanguageCodeOfLang(const char* lang);

// The count items of a selector text: its tab-separated fields; missing
// fields are empty, fields after the last item are dropped.
std::vector<std::string> SelectorItems(std::string_view text, std::size_t count);

}  // namespace library

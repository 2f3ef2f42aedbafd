// One element of the database: the record behind one row of the index tree.
#pragma once

#include <string_view>
#include <utility>

#include "library/core/Language.h"
#include "toolkit/core/Arena.h"

namespace library {

// Texts as stored in the database file, empty when absent: views of the
// document's strings, valid while the document lives. The title of the
// index language loses its leading mark when marks are not shown.
struct IndexEntry {
  std::string_view text;   // the element's own trimmed character data
  std::string_view group;  // the caption of the category the entry belongs to
  std::string_view theme_de;
  std::string_view descript_de;
  std::string_view theme_en;
  std::string_view descript_en;
  std::string_view theme_fr;
  std::string_view descript_fr;
  std::string_view file;  // code file relative to the library main folder

  // The title and the description in a language; a value that names no
  // language gives the French ones.
  std::string_view Title(Language language) const {
    return language == Language::German    ? theme_de
           : language == Language::English ? theme_en
                                           : theme_fr;
  }
  std::string_view& Title(Language language) {
    return language == Language::German    ? theme_de
           : language == Language::English ? theme_en
                                           : theme_fr;
  }
  std::string_view Description(Language language) const {
    return language == Language::German    ? descript_de
           : language == Language::English ? descript_en
                                           : descript_fr;
  }
};

// The entries of one fill, in the arena of the fill.
using IndexEntries = toolkit::ArenaVector<IndexEntry>;

}  // namespace library

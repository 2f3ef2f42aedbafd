// One element of the database: the record behind one row of the index tree.
#pragma once

#include <string>
#include <utility>

#include "library/core/Language.h"

namespace library {

// Texts as stored in the database file, empty when absent. The title of the
// index language loses its leading mark when marks are not shown.
struct IndexEntry {
  std::string text;   // the element's own trimmed character data
  std::string group;  // the caption of the category the entry belongs to
  std::string theme_de;
  std::string descript_de;
  std::string theme_en;
  std::string descript_en;
  std::string theme_fr;
  std::string descript_fr;
  std::string file;  // code file relative to the library main folder

  // The title and the description in a language; a value that names no
  // language gives the French ones.
  const std::string& Title(Language language) const {
    return language == Language::German    ? theme_de
           : language == Language::English ? theme_en
                                           : theme_fr;
  }
  std::string& Title(Language language) {
    return const_cast<std::string&>(std::as_const(*this).Title(language));
  }
  const std::string& Description(Language language) const {
    return language == Language::German    ? descript_de
           : language == Language::English ? descript_en
                                           : descript_fr;
  }
};

}  // namespace library

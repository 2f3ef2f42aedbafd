// The user's preferences, with the defaults in force before the preferences file is read.
#pragma once

#include <cstdint>
#include <string>

#include "library/core/Language.h"

namespace library {

// The choices of the settings window, stored in the preferences file as
// their integers. A stored value that names no choice is kept as it is: the
// settings window then shows no item for it, and a Save writes it back.

// What the index search looks at ("SearchMode").
enum class SearchMode : std::int64_t {
  IndexAndDescription = 0,      // row texts and descriptions in the index language
  IndexOnly = 1,                // row texts
  AllLanguages = 2,             // row texts, titles and descriptions in all three languages
  IndexDescriptionAndCode = 3,  // row texts, descriptions in the index language, and the code
};

// How a search that finds nothing says so ("SearchHint"); other values give both.
enum class SearchHint : std::int64_t { ShakeAndBlink = 0, Shake = 1, Blink = 2 };

// What the main window's title names of the shown file ("SourceInTitle");
// other values give the database folder with the file value.
enum class TitleContent : std::int64_t {
  FileName = 0,               // the file's name
  FileValue = 1,              // the entry's file value: subfolder and name
  DatabaseFolderAndFile = 2,  // the database folder, then the file value
};

// How the code is coloured ("CodeMarks"); other values colour it without
// marking the keywords.
enum class CodeMarking : std::int64_t {
  Plain = 0,     // no colouring at all
  Bold = 1,      // bold keywords, grey comments
  BlueBold = 2,  // blue bold keywords, grey comments
};

// The code font's size ("FontSize") stays readable and within what the code
// view lays out well.
inline constexpr std::int64_t kSmallestFontSize = 6;
inline constexpr std::int64_t kLargestFontSize = 24;
inline constexpr std::int64_t ClampedFontSize(std::int64_t size) {
  return size < kSmallestFontSize  ? kSmallestFontSize
         : size > kLargestFontSize ? kLargestFontSize
                                   : size;
}

// Field names follow the keys of the preferences file ("db-path" is dbPath,
// "WinHight" is winHight). Integers are 64-bit as the file allows any size.
struct AppSettings {
  std::string dbPath;      // database file or its folder; the program folder by default
  std::string libPath;     // library main folder, ending in "/"; the program folder by default
  std::int64_t about = 0;  // 1 once the About window has opened by itself
  Language language = Language::German;
  SearchHint searchHint = SearchHint::ShakeAndBlink;
  SearchMode searchMode = SearchMode::IndexAndDescription;
  CodeMarking codeMarks = CodeMarking::Plain;
  std::string fontName = "Monospace";
  std::int64_t fontSize = 10;
  std::int64_t savePaths = 1;
  TitleContent sourceInTitle = TitleContent::FileValue;
  std::int64_t saveWinSetting = 0;
  std::int64_t dyeingNews = 1;
  std::int64_t darkMode = 0;
  std::string codeEditorPath;
  std::int64_t winX = -1;
  std::int64_t winY = -1;
  std::int64_t winWidth = 800;
  std::int64_t winHight = 600;
  std::int64_t splitter = 345;

  bool operator==(const AppSettings&) const = default;
};

}  // namespace library

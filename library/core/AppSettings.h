// The user's preferences, with the defaults in force before the preferences file is read.
#pragma once

#include <cstdint>
#include <string>

namespace library {

// Field names follow the keys of the preferences file ("db-path" is dbPath,
// "WinHight" is winHight). Integers are 64-bit as the file allows any size.
struct AppSettings {
  std::string dbPath;           // database file or its folder; the program folder by default
  std::string libPath;          // library main folder, ending in "/"; the program folder by default
  std::int64_t about = 0;       // 1 once the About window has opened by itself
  std::int64_t language = 0;    // 0 German, 1 English, 2 French
  std::int64_t searchHint = 0;  // 0 both effects, 1 window shake, 2 field blink
  std::int64_t searchMode = 0;  // 0 index + description, 1 index, 2 all languages
  std::int64_t codeMarks = 0;   // 0 plain, 1 bold keywords, 2 blue bold keywords
  std::string fontName = "Monospace";
  std::int64_t fontSize = 10;
  std::int64_t savePaths = 1;
  std::int64_t sourceInTitle = 1;  // 0 file name, 1 subfolder and name, 2 full path
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

// The settings as the preferences file holds them.
#include "library/core/SettingsFile.h"

#include <algorithm>

#include "toolkit/core/FileStatus.h"
#include "toolkit/core/WholeFile.h"

namespace library {
namespace {

constexpr std::int64_t kDefaultSplitter = 345;
// Room left around the main window on the first desktop.
constexpr std::int64_t kDesktopMargin = 50;
// Window positions and sizes beyond what the window system can place at all.
constexpr std::int64_t kLargestCoordinate = 32767;

// A window extent as read: no larger than the desktop minus its margin when
// the desktop is known, and never below the window's minimum.
std::int64_t LimitExtent(std::int64_t extent, int desktop, std::int64_t minimum) {
  if (desktop > 0) extent = std::min(extent, static_cast<std::int64_t>(desktop) - kDesktopMargin);
  return std::clamp(extent, minimum, kLargestCoordinate);
}

std::int64_t LimitCoordinate(std::int64_t value, std::int64_t lowest) {
  return std::clamp(value, lowest, kLargestCoordinate);
}

// A stored choice: the file's integer taken as it is, even one that names
// no choice.
template <typename Choice>
Choice ReadChoice(const toolkit::PreferenceFile& file, std::string_view key, Choice held) {
  return static_cast<Choice>(file.ReadInteger(key, static_cast<std::int64_t>(held)));
}

template <typename Choice>
void WriteChoice(toolkit::PreferenceFile& file, std::string_view key, Choice choice) {
  file.WriteInteger(key, static_cast<std::int64_t>(choice));
}

}  // namespace

AppSettings ReadSettings(const toolkit::PreferenceFile& file, const AppSettings& held,
                         DesktopSize desktop) {
  AppSettings s = held;
  s.dbPath = file.ReadText("db-path", held.dbPath);
  s.libPath = file.ReadText("Lib-path", "");
  s.about = file.ReadInteger("about", held.about);
  s.language = ReadChoice(file, "Language", held.language);
  s.searchHint = ReadChoice(file, "SearchHint", held.searchHint);
  s.searchMode = ReadChoice(file, "SearchMode", held.searchMode);
  s.codeMarks = ReadChoice(file, "CodeMarks", held.codeMarks);
  s.fontName = file.ReadText("FontName", held.fontName);
  s.fontSize = ClampedFontSize(file.ReadInteger("FontSize", held.fontSize));
  s.savePaths = file.ReadInteger("SavePaths", held.savePaths);
  s.sourceInTitle = ReadChoice(file, "SourceInTitle", held.sourceInTitle);
  s.saveWinSetting = file.ReadInteger("SaveWinSetting", held.saveWinSetting);
  s.dyeingNews = file.ReadInteger("DyeingNews", held.dyeingNews);
  s.darkMode = file.ReadInteger("DarkMode", held.darkMode);
  s.codeEditorPath = file.ReadText("CodeEditorPath", held.codeEditorPath);
  s.winX = LimitCoordinate(file.ReadInteger("WinX", held.winX), -kLargestCoordinate);
  s.winY = LimitCoordinate(file.ReadInteger("WinY", held.winY), -kLargestCoordinate);
  s.winWidth =
      LimitExtent(file.ReadInteger("WinWidth", held.winWidth), desktop.width, kMinimumWindowWidth);
  s.winHight = LimitExtent(file.ReadInteger("WinHight", held.winHight), desktop.height,
                           kMinimumWindowHeight);
  // A negative position leaves the split to the toolkit.
  s.splitter = LimitCoordinate(file.ReadInteger("Splitter", kDefaultSplitter), -kLargestCoordinate);
  if (s.winX < -1) s.winX = 0;
  return s;
}

void WriteSettings(toolkit::PreferenceFile& file, bool newFile, const AppSettings& settings,
                   std::string_view databasePath, const std::optional<WindowGeometry>& geometry) {
  if (newFile) file.WriteComment("Viewer");
  if (settings.savePaths == 1 || settings.about == 0) {
    file.WriteText("db-path", databasePath);
    file.WriteText("Lib-path", settings.libPath);
  }
  file.WriteInteger("about", settings.about);

  if (newFile) file.WriteComment("User settings");
  WriteChoice(file, "Language", settings.language);
  WriteChoice(file, "SearchHint", settings.searchHint);
  WriteChoice(file, "SearchMode", settings.searchMode);
  WriteChoice(file, "CodeMarks", settings.codeMarks);
  file.WriteText("FontName", settings.fontName);
  file.WriteInteger("FontSize", settings.fontSize);
  file.WriteInteger("SavePaths", settings.savePaths);
  WriteChoice(file, "SourceInTitle", settings.sourceInTitle);
  file.WriteInteger("SaveWinSetting", settings.saveWinSetting);
  file.WriteInteger("DyeingNews", settings.dyeingNews);
  file.WriteInteger("DarkMode", settings.darkMode);
  file.WriteText("CodeEditorPath", settings.codeEditorPath);

  if (newFile) file.WriteComment("App settings");
  if (geometry && settings.saveWinSetting == 1) {
    file.WriteInteger("WinX", geometry->x);
    file.WriteInteger("WinY", geometry->y);
    file.WriteInteger("WinWidth", geometry->width);
    file.WriteInteger("WinHight", geometry->height);
    file.WriteInteger("Splitter", geometry->splitter);
  }
}

bool SaveSettingsFile(const std::string& path, const AppSettings& settings,
                      std::string_view databasePath,
                      const std::optional<WindowGeometry>& geometry) {
  const bool newFile = toolkit::QueryPath(path) == toolkit::PathKind::Missing;
  toolkit::PreferenceFile file;
  if (!newFile) {
    const std::optional<std::string> bytes = toolkit::ReadWholeFile(path);
    if (!bytes) return false;
    file = toolkit::PreferenceFile::Parse(*bytes);
  }
  WriteSettings(file, newFile, settings, databasePath, geometry);
  return toolkit::ReplaceWholeFile(path, file.Serialize());
}

}  // namespace library

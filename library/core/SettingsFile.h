// The settings as the preferences file holds them: which keys are read with
// which defaults and limits, and which are written in which order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "library/core/AppSettings.h"
#include "toolkit/core/PreferenceFile.h"

namespace library {

inline constexpr const char* kPreferencesFileName = "LinuxOX VIZ-AduDozuzo.ini";

// The smallest size of the main window.
inline constexpr std::int64_t kMinimumWindowWidth = 800;
inline constexpr std::int64_t kMinimumWindowHeight = 400;

// Size of the first monitor; 0 when unknown (no limit then).
struct DesktopSize {
  int width = 0;
  int height = 0;
};

// The settings read from the file. held gives the value of every key that
// the file lacks, except "Lib-path" (empty then) and "Splitter" (345).
// "FontSize" is kept within 6 ... 24; "WinX" below -1 becomes 0; "WinWidth"
// and "WinHight" are limited to the desktop's size minus 50 and kept at least
// the window's minimum size. Positions, sizes and the splitter stay within
// what the window system can place (+-32767).
AppSettings ReadSettings(const toolkit::PreferenceFile& file, const AppSettings& held,
                         DesktopSize desktop);

// The main window's geometry as the preferences store it.
struct WindowGeometry {
  std::int64_t x = 0;
  std::int64_t y = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::int64_t splitter = 0;
};

// Writes the settings into file. newFile adds the three comment lines
// ("Viewer", "User settings", "App settings"). The two paths ("db-path" =
// databasePath, "Lib-path") are written when "SavePaths" is 1 or "about" is 0;
// the geometry keys only when geometry is given and "SaveWinSetting" is 1.
void WriteSettings(toolkit::PreferenceFile& file, bool newFile, const AppSettings& settings,
                   std::string_view databasePath, const std::optional<WindowGeometry>& geometry);

// Saves the settings into the preferences file at path: an existing file is
// updated line by line, a missing one created; either way the file is
// replaced as a whole, so it holds the old or the new bytes and never a mix.
// Returns false, with the file untouched, when it cannot be written or when
// it exists but cannot be read (its settings would be lost).
bool SaveSettingsFile(const std::string& path, const AppSettings& settings,
                      std::string_view databasePath, const std::optional<WindowGeometry>& geometry);

}  // namespace library

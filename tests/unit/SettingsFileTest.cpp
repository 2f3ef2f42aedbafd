#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "library/core/SettingsFile.h"

namespace library {
namespace {

using namespace std::string_literals;

const std::string kMark = "\xEF\xBB\xBF\n";

const std::string kUserKeys =
    "Language=0\nSearchHint=0\nSearchMode=0\nCodeMarks=0\nFontName=Monospace\nFontSize=10\n"
    "SavePaths=1\nSourceInTitle=1\nSaveWinSetting=1\nDyeingNews=1\nDarkMode=0\nCodeEditorPath=\n";

TEST(SettingsFile, NewFileGolden) {
  AppSettings settings;
  settings.libPath = "../";
  settings.saveWinSetting = 1;
  const WindowGeometry geometry{10, -1, 1024, 700, 300};

  toolkit::PreferenceFile withGeometry;
  WriteSettings(withGeometry, true, settings, "../OX-LinuxAPI-Toc.xml", geometry);
  const std::string head = kMark +
                           "; Viewer\ndb-path=../OX-LinuxAPI-Toc.xml\nLib-path=../\nabout=0\n" +
                           "; User settings\n" + kUserKeys + "; App settings\n";
  EXPECT_EQ(withGeometry.Serialize(),
            head + "WinX=10\nWinY=-1\nWinWidth=1024\nWinHight=700\nSplitter=300\n");

  toolkit::PreferenceFile withoutGeometry;
  WriteSettings(withoutGeometry, true, settings, "../OX-LinuxAPI-Toc.xml", std::nullopt);
  EXPECT_EQ(withoutGeometry.Serialize(), head);
}

// An existing file in written form (without the mark), every key but the geometry.
const std::string kStored =
    "db-path=/d/lib/OX-LinuxAPI-Toc.xml\nLib-path=/d/lib/\nabout=1\n" + kUserKeys;
const std::string kGeometry = "WinX=5\nWinY=6\nWinWidth=100000\nWinHight=7\nSplitter=8\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (const char c : text) out += c == '\n' ? "\r\n" : std::string(1, c);
  return out;
}

// Reads the bytes, applies change to the settings and writes them back into
// the same file as an existing one.
std::string Update(const std::string& bytes, const std::function<void(AppSettings&)>& change,
                   const std::optional<WindowGeometry>& geometry = std::nullopt) {
  toolkit::PreferenceFile file = toolkit::PreferenceFile::Parse(bytes);
  AppSettings settings = ReadSettings(file, AppSettings{}, DesktopSize{1920, 1080});
  change(settings);
  WriteSettings(file, false, settings, settings.dbPath, geometry);
  return file.Serialize();
}

TEST(SettingsFile, UpdatesExistingFilesInPlace) {
  const auto unchanged = [](AppSettings&) {};
  const WindowGeometry geometry{1, 2, 900, 500, 3};
  struct Case {
    const char* what;
    std::string input;
    std::function<void(AppSettings&)> change;
    std::optional<WindowGeometry> geometry;
    std::string output;
  };
  const Case cases[] = {
      {"Latin-1 without mark, blanks around =",
       Replace(kStored, "FontName=Monospace", "  FontName = Schrift\xE4"), unchanged, std::nullopt,
       kMark + Replace(kStored, "FontName=Monospace", "FontName=Schrift\xC3\xA4")},
      {"CR LF line ends", WithCrLf(kStored + "; note\n"), unchanged, std::nullopt,
       kMark + kStored + "; note\n"},
      {"comment without blank", ";note\n" + kStored, unchanged, std::nullopt,
       kMark + "; note\n" + kStored},
      {"key only below a group is inserted before it",
       Replace(kStored, "DarkMode=0\n", "") + "[Extra]\nDarkMode=1\n",
       [](AppSettings& s) { s.darkMode = 1; }, std::nullopt,
       kMark + Replace(kStored, "DarkMode=0\n", "") + "DarkMode=1\n[Extra]\nDarkMode=1\n"},
      {"SavePaths 0 and about 1 keep the path lines",
       Replace(kStored, "SavePaths=1", "SavePaths=0"),
       [](AppSettings& s) {
         s.dbPath = "/elsewhere/db.xml";
         s.libPath = "/elsewhere/";
       },
       std::nullopt, kMark + Replace(kStored, "SavePaths=1", "SavePaths=0")},
      {"about 0 writes the paths even with SavePaths 0",
       Replace(kStored, "SavePaths=1", "SavePaths=0"),
       [](AppSettings& s) {
         s.about = 0;
         s.libPath = "/elsewhere/";
       },
       std::nullopt,
       kMark +
           Replace(Replace(Replace(kStored, "SavePaths=1", "SavePaths=0"), "about=1", "about=0"),
                   "Lib-path=/d/lib/", "Lib-path=/elsewhere/")},
      {"SaveWinSetting 0 keeps the geometry lines",
       Replace(kStored, "SaveWinSetting=1", "SaveWinSetting=0") + kGeometry, unchanged, geometry,
       kMark + Replace(kStored, "SaveWinSetting=1", "SaveWinSetting=0") + kGeometry},
      {"SaveWinSetting 1 replaces the geometry lines", kStored + kGeometry, unchanged, geometry,
       kMark + kStored + "WinX=1\nWinY=2\nWinWidth=900\nWinHight=500\nSplitter=3\n"},
      {"first of duplicate keys counts and is replaced", kStored + "fontsize=20\n",
       [](AppSettings& s) {
         EXPECT_EQ(s.fontSize, 10);
         s.fontSize = 14;
       },
       std::nullopt, kMark + Replace(kStored, "FontSize=10", "FontSize=14") + "fontsize=20\n"},
      {"out-of-range numbers saturate and come back saturated",
       Replace(kStored, "Language=0", "language=99999999999999999999"), unchanged, std::nullopt,
       kMark + Replace(kStored, "Language=0", "Language=9223372036854775807")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Update(c.input, c.change, c.geometry), c.output) << c.what;
  }
}

TEST(SettingsFile, ReadingAppliesDefaultsAndLimits) {
  AppSettings held;
  held.dbPath = "/prog/";
  held.libPath = "/prog/";
  held.splitter = 500;
  held.language = Language::French;
  struct Case {
    std::string file;
    DesktopSize desktop;
    std::function<std::int64_t(const AppSettings&)> field;
    std::int64_t value;
  };
  const auto fontSize = [](const AppSettings& s) { return s.fontSize; };
  const auto winX = [](const AppSettings& s) { return s.winX; };
  const auto width = [](const AppSettings& s) { return s.winWidth; };
  const auto height = [](const AppSettings& s) { return s.winHight; };
  const Case cases[] = {
      {"fontsize=30", {}, fontSize, 24},
      {"FontSize=abc", {}, fontSize, 6},
      {"FontSize=-99999999999999999999", {}, fontSize, 6},
      {"FontSize=17", {}, fontSize, 17},
      {"WinX=-1", {}, winX, -1},
      {"WinX=-2", {}, winX, 0},
      {"WinX=3000", {}, winX, 3000},
      {"WinWidth=5000", {1920, 1080}, width, 1870},
      {"WinWidth=5000", {}, width, 5000},
      {"WinWidth=0", {1920, 1080}, width, kMinimumWindowWidth},
      {"WinWidth=5000", {640, 480}, width, kMinimumWindowWidth},
      {"WinHight=5000", {1920, 1080}, height, 1030},
      {"WinHight=-7", {}, height, kMinimumWindowHeight},
      {"WinHight=99999999999999999999", {}, height, 32767},
      {"WinX=-99999999999999999999", {}, winX, 0},
      {"WinY=99999999999999999999", {}, [](const AppSettings& s) { return s.winY; }, 32767},
      {"Splitter=-5", {}, [](const AppSettings& s) { return s.splitter; }, -5},
      {"", {}, [](const AppSettings& s) { return s.splitter; }, 345},
      {"", {}, [](const AppSettings& s) { return static_cast<std::int64_t>(s.language); }, 2},
      {"Language=x",
       {},
       [](const AppSettings& s) { return static_cast<std::int64_t>(s.language); },
       0},
  };
  for (const Case& c : cases) {
    const AppSettings read = ReadSettings(toolkit::PreferenceFile::Parse(c.file), held, c.desktop);
    EXPECT_EQ(c.field(read), c.value) << c.file << " on " << c.desktop.width;
  }

  const AppSettings empty = ReadSettings(toolkit::PreferenceFile(), held, {});
  EXPECT_EQ(empty.dbPath, "/prog/");
  EXPECT_EQ(empty.libPath, "");
  EXPECT_EQ(empty.fontName, "Monospace");
}

}  // namespace
}  // namespace library

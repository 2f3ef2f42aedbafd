// The preferences file: read, saved over itself and into a new file, and
// read back. A save must never change what the settings read as.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "library/core/AppSettings.h"
#include "library/core/SettingsFile.h"
#include "toolkit/core/PreferenceFile.h"

namespace {

constexpr library::DesktopSize kDesktop{1280, 1024};

library::AppSettings ReadBack(const std::string& bytes) {
  return library::ReadSettings(toolkit::PreferenceFile::Parse(bytes), library::AppSettings{},
                               kDesktop);
}

library::WindowGeometry GeometryOf(const library::AppSettings& settings) {
  return {settings.winX, settings.winY, settings.winWidth, settings.winHight, settings.splitter};
}

void CheckTexts(const library::AppSettings& settings) {
  FUZZ_CHECK(fuzz::IsValidUtf8(settings.dbPath));
  FUZZ_CHECK(fuzz::IsValidUtf8(settings.libPath));
  FUZZ_CHECK(fuzz::IsValidUtf8(settings.fontName));
  FUZZ_CHECK(fuzz::IsValidUtf8(settings.codeEditorPath));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const toolkit::PreferenceFile file = toolkit::PreferenceFile::Parse(fuzz::Bytes(data, size));
  const library::AppSettings settings =
      library::ReadSettings(file, library::AppSettings{}, kDesktop);
  CheckTexts(settings);
  FUZZ_CHECK(settings.fontSize >= 6 && settings.fontSize <= 24);
  FUZZ_CHECK(settings.winWidth >= library::kMinimumWindowWidth);
  FUZZ_CHECK(settings.winHight >= library::kMinimumWindowHeight);

  // The file written back in its own form reads the same and is stable.
  const std::string serialized = file.Serialize();
  FUZZ_CHECK(toolkit::PreferenceFile::Parse(serialized).Serialize() == serialized);
  FUZZ_CHECK(ReadBack(serialized) == settings);

  // Saved over the existing file, with and without the window geometry.
  for (const bool withGeometry : {false, true}) {
    toolkit::PreferenceFile saved = file;
    const std::optional<library::WindowGeometry> geometry =
        withGeometry ? std::optional(GeometryOf(settings)) : std::nullopt;
    library::WriteSettings(saved, false, settings, settings.dbPath, geometry);
    FUZZ_CHECK(ReadBack(saved.Serialize()) == settings);
  }

  // Saved into a new file: every setting that was written reads back.
  toolkit::PreferenceFile fresh;
  library::WriteSettings(fresh, true, settings, settings.dbPath, GeometryOf(settings));
  library::AppSettings expected = settings;
  const library::AppSettings defaults =
      library::ReadSettings(toolkit::PreferenceFile(), library::AppSettings{}, kDesktop);
  if (settings.savePaths != 1 && settings.about != 0) {
    expected.dbPath = defaults.dbPath;
    expected.libPath = defaults.libPath;
  }
  if (settings.saveWinSetting != 1) {
    expected.winX = defaults.winX;
    expected.winY = defaults.winY;
    expected.winWidth = defaults.winWidth;
    expected.winHight = defaults.winHight;
    expected.splitter = defaults.splitter;
  }
  FUZZ_CHECK(ReadBack(fresh.Serialize()) == expected);
  return 0;
}

// Reading the preferences file at start-up and writing it back.
#include "library/Preferences.h"

#include <optional>
#include <string>

#include "app/AppState.h"
#include "app/Ids.h"
#include "library/core/PathRules.h"
#include "library/core/SettingsFile.h"
#include "toolkit/MessageBox.h"
#include "toolkit/core/FileStatus.h"
#include "toolkit/core/PreferenceFile.h"
#include "toolkit/core/WholeFile.h"

namespace library {
namespace {

std::string PreferencesPath(const app::AppState& app) {
  return JoinPath(app.programDirectory, kPreferencesFileName);
}

// The geometry to store: the main window's position and size and the
// splitter's position, when the main window exists.
std::optional<WindowGeometry> MainWindowGeometry(const app::AppState& app) {
  const toolkit::Window* window = app.ui.FindWindow(app::window_id::kMain);
  if (!window) return std::nullopt;
  return WindowGeometry{window->X(), window->Y(), window->Width(), window->Height(),
                        app.ui.GadgetState(app::gadget_id::kMainSplitter)};
}

}  // namespace

bool ReadPreferences(app::AppState& app) {
  const std::string path = PreferencesPath(app);
  if (toolkit::QueryPath(path) == toolkit::PathKind::Missing) return false;
  const std::string rememberedFont = app.settings.fontName;
  const std::int64_t rememberedSize = app.settings.fontSize;

  // A file that exists but cannot be read counts as an empty one.
  const std::optional<std::string> bytes = toolkit::ReadWholeFile(path);
  const toolkit::PreferenceFile file = toolkit::PreferenceFile::Parse(bytes ? *bytes : "");
  AppSettings held = app.settings;
  held.dbPath = app.database.directory;
  app.settings = ReadSettings(file, held, DesktopSize{app.desktopWidth, app.desktopHeight});
  // The stored database location waits in the directory field until the
  // start-up resolution turns it into a path.
  app.database.directory = app.settings.dbPath;

  const AppSettings& settings = app.settings;
  if (settings.fontName != rememberedFont || settings.fontSize != rememberedSize) {
    if (!app.ui.LoadFont(app::font_id::kCode, settings.fontName,
                         static_cast<double>(settings.fontSize))) {
      app.ui.LoadFont(app::font_id::kCode, "Monospace", 10);
    }
  }
  return true;
}

std::string StoredDatabasePath(const app::AppState& app, AppSettings& settings) {
  const std::string path = PreferencesPath(app);
  if (toolkit::QueryPath(path) == toolkit::PathKind::Missing) return {};
  const std::optional<std::string> bytes = toolkit::ReadWholeFile(path);
  AppSettings held = app.settings;
  held.dbPath = app.database.directory;
  // The desktop is not known yet; it only limits the window's geometry.
  settings = ReadSettings(toolkit::PreferenceFile::Parse(bytes ? *bytes : ""), held, DesktopSize{});
  switch (toolkit::QueryPath(settings.dbPath)) {
    case toolkit::PathKind::RegularFile:
      return settings.dbPath;
    case toolkit::PathKind::Directory:
      return JoinPath(settings.dbPath, app.database.fileName);
    default:
      return {};
  }
}

bool WritePreferences(app::AppState& app) {
  const LibraryDatabase& database = app.database;
  const bool saved =
      SaveSettingsFile(PreferencesPath(app), app.settings,
                       JoinPath(database.directory, database.fileName), MainWindowGeometry(app));
  if (!saved) toolkit::ShowMessageBox(app::kProgramTitle, "*.ini-file couldn't be updatet!");
  return saved;
}

}  // namespace library

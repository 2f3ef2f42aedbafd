// The settings window: created once and hidden, filled and shown by the main
// window's settings button, and the commands of its buttons.
#include "dialogs/SettingsWindow.h"

#include <algorithm>
#include <string>

#include "app/AppState.h"
#include "app/Ids.h"
#include "library/DatabaseLoading.h"
#include "library/PathRules.h"
#include "toolkit/Requesters.h"
#include "toolkit/ShortcutCode.h"

namespace dialogs {
namespace {

namespace gid = app::gadget_id;

// The code font's size stays readable and within what the view lays out well.
constexpr int kMinimumFontSize = 6;
constexpr int kMaximumFontSize = 24;

}  // namespace

void CreateSettingsWindow(app::AppState& app) {
  using namespace toolkit::window_flag;
  toolkit::Window* window = app.ui.OpenWindow(
      app::window_id::kSettings, 0, 0, 634, 512, std::string(app::kProgramTitle) + " - Settings",
      kSystemMenu | kScreenCentered | kInvisible, app::window_id::kMain);
  if (window) window->AddShortcut(toolkit::key::kEscape, app::menu_item::kEscape);
}

void OpenSettingsWindow(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  ui.SetGadgetText(gid::kDatabasePathField, app.database.directory + app.database.fileName);
  ui.SetGadgetText(gid::kLibraryPathField, app.settings.libPath);
  ui.SetGadgetText(gid::kFontNameDisplay, app.settings.fontName);
  ui.SetGadgetText(gid::kFontSizeDisplay, std::to_string(app.settings.fontSize));
  ui.ShowWindow(app::window_id::kSettings, true);
}

void ChooseDatabaseFile(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  const std::string& fileName = app.database.fileName;
  const std::string preset =
      library::DirectoryPart(ui.GadgetText(gid::kDatabasePathField)) + fileName;
  const std::string chosen = toolkit::OpenFileRequester("Choose database '" + fileName + "' ...",
                                                        preset, "XML files (*.xml)|*.xml", 0);
  if (!chosen.empty()) ui.SetGadgetText(gid::kDatabasePathField, chosen);
}

void ChooseLibraryFolder(app::AppState& app) {
  // An empty field stands for the program folder, so choosing that folder
  // and cancelling both leave the field empty.
  std::string chosen = toolkit::PathRequester("Choose Library-Main-Path ...", app.settings.libPath);
  if (chosen == app.programDirectory) chosen.clear();
  app.ui.SetGadgetText(gid::kLibraryPathField, chosen);
}

void ChooseCodeFont(app::AppState& app) {
  const library::AppSettings& settings = app.settings;
  const int size = static_cast<int>(
      std::clamp<std::int64_t>(settings.fontSize, kMinimumFontSize, kMaximumFontSize));
  const toolkit::FontChoice choice = toolkit::FontRequester(settings.fontName, size);
  if (!choice.chosen) return;
  app.ui.SetGadgetText(gid::kFontNameDisplay, choice.name);
  app.ui.SetGadgetText(gid::kFontSizeDisplay,
                       std::to_string(std::clamp(choice.size, kMinimumFontSize, kMaximumFontSize)));
}

void ApplySettingsPaths(app::AppState& app) {
  library::ReloadDatabase(app, app.ui.GadgetText(gid::kDatabasePathField),
                          app.ui.GadgetText(gid::kLibraryPathField));
}

void SaveSettings(app::AppState& app) {
  app.ui.ShowWindow(app::window_id::kSettings, false);
}

}  // namespace dialogs

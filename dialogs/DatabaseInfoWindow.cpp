// The database-information window: created once and hidden, filled and shown
// from the info menu, and the commands of its two clickable images.
#include "dialogs/DatabaseInfoWindow.h"

#include <string>

#include "app/AppState.h"
#include "app/ExternalPrograms.h"
#include "app/Ids.h"
#include "app/NotFoundHints.h"
#include "library/PathRules.h"
#include "toolkit/Clipboard.h"
#include "toolkit/ShortcutCode.h"

namespace dialogs {
namespace {

namespace gid = app::gadget_id;

}  // namespace

void CreateDatabaseInfoWindow(app::AppState& app) {
  using namespace toolkit::window_flag;
  toolkit::Window* window = app.ui.OpenWindow(
      app::window_id::kDatabaseInfo, 0, 0, 720, 252, "About: Current database & file",
      kSystemMenu | kScreenCentered | kInvisible | kUtility);
  if (window) window->AddShortcut(toolkit::key::kEscape, app::menu_item::kEscape);
}

void FillDatabaseInfo(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  const library::LibraryDatabase& database = app.database;
  const library::IndexEntry* first = database.entries.empty() ? nullptr : &database.entries[0];
  ui.SetGadgetText(gid::kInfoDatabaseField, database.path);
  ui.SetGadgetText(gid::kInfoContentField, ui.GadgetItemText(gid::kIndexTree, 0) + " - " +
                                               (first ? first->text : std::string()));
  ui.SetGadgetText(gid::kInfoLibraryField, app.settings.libPath);
  ui.SetGadgetText(gid::kInfoTopicsField, std::to_string(database.topicCount));
  ui.SetGadgetText(gid::kInfoEntriesField, std::to_string(database.entryCount));
}

void ShowDatabaseInfo(app::AppState& app) {
  app.database.MakeCurrent(0);
  FillDatabaseInfo(app);
  app.ui.ShowWindow(app::window_id::kDatabaseInfo, true);
}

void CopySelectedFilePath(app::AppState& app) {
  if (app.ui.GadgetText(gid::kInfoFileField).empty()) return;
  app::BlinkGadget(app, gid::kInfoFileField);
  toolkit::SetClipboardText(library::CodeFilePath(app.settings.libPath, app.currentCodeFile));
}

void OpenLibraryFolder(app::AppState& app) {
  std::string folder = app.ui.GadgetText(gid::kInfoLibraryField);
  if (folder.empty()) folder = app.programDirectory;
  app::OpenFolderOrBeep(folder);
}

}  // namespace dialogs

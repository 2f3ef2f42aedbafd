// The settings window's Apply and Save.
#include "app/SettingsCommands.h"

#include <string>

#include "app/AppState.h"
#include "app/Ids.h"
#include "app/Search.h"
#include "codeview/CodeFileLoading.h"
#include "codeview/CodeZoom.h"
#include "dialogs/DatabaseInfoWindow.h"
#include "dialogs/SettingsWindow.h"
#include "library/DatabaseLoading.h"
#include "library/IndexTree.h"
#include "library/LanguageSwitch.h"
#include "library/Preferences.h"
#include "toolkit/MessageBox.h"

namespace app {
namespace {

constexpr const char* kRestartMessage =
    "For an update of the CodeViewer colors the app still has to be restarted!";

// The selected row's entry made current; nullptr without a valid selection.
const library::IndexEntry* SelectedEntry(AppState& app) {
  if (!app.database.MakeCurrent(app.ui.GadgetState(gadget_id::kIndexTree))) return nullptr;
  return app.database.Current();
}

}  // namespace

void ApplySettingsPaths(AppState& app) {
  const dialogs::SettingsPaths paths = dialogs::PathsInForm(app);
  library::ReloadDatabase(app, paths.database, paths.library);
  dialogs::FillDatabaseInfo(app);
  // The code index goes with the rows it was built for.
  PrepareSearch(app);
}

void SaveSettings(AppState& app) {
  const library::AppSettings chosen = dialogs::SettingsInForm(app);
  library::AppSettings& settings = app.settings;

  app.database.directory = chosen.dbPath;
  settings.libPath = chosen.libPath;
  settings.savePaths = chosen.savePaths;
  settings.saveWinSetting = chosen.saveWinSetting;
  settings.searchHint = chosen.searchHint;
  settings.searchMode = chosen.searchMode;

  if (chosen.codeMarks != settings.codeMarks) {
    settings.codeMarks = chosen.codeMarks;
    // The code shows again with the new marking. An entry without a file
    // has no code to mark.
    const library::IndexEntry* entry = SelectedEntry(app);
    if (entry && !entry->file.empty()) {
      const std::string file(entry->file);
      codeview::LoadCodeFile(app, file, false);
      // The view shows the current file again (or its missing-file state),
      // so a click on the entry does not load it once more.
      app.viewShowsCurrentCodeFile = file == app.currentCodeFile;
    }
  }

  // The check boxes are compared as ticked or not: a stored value other
  // than 0 and 1 stays as long as its box is not changed.
  const bool schemeChanged = (chosen.darkMode != 0) != (settings.darkMode != 0);
  if (schemeChanged) settings.darkMode = chosen.darkMode;
  const bool marksChanged = (chosen.dyeingNews != 0) != (settings.dyeingNews != 0);
  if (marksChanged) settings.dyeingNews = chosen.dyeingNews;
  const bool indexColoursChanged = schemeChanged || marksChanged;

  if ((chosen.fontName != settings.fontName || chosen.fontSize != settings.fontSize) &&
      app.ui.LoadFont(font_id::kCode, chosen.fontName, static_cast<double>(chosen.fontSize))) {
    settings.fontName = chosen.fontName;
    settings.fontSize = chosen.fontSize;
    codeview::ShowCodeFontAtNormalSize(app);
  }

  library::ApplyLanguage(app, true);

  if (indexColoursChanged) {
    app.colours.Apply(settings.darkMode != 0);
    library::RefillIndexTree(app, library::RefillSelection::SelectedRow);
  }

  if (chosen.sourceInTitle != settings.sourceInTitle) {
    settings.sourceInTitle = chosen.sourceInTitle;
    const library::IndexEntry* entry = SelectedEntry(app);
    if (entry && !entry->file.empty()) codeview::SetTitleForFile(app, std::string(entry->file));
  }

  app.reportMissingFile = true;
  if (schemeChanged) toolkit::ShowMessageBox(kProgramTitle, kRestartMessage);
  dialogs::CloseSettingsWindow(app);
  library::WritePreferences(app);
  // The code scope, when chosen, starts building the code index at once.
  PrepareSearch(app);
}

}  // namespace app

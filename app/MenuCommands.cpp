// The commands of the info and admin menus and of the language keys.
#include "app/MenuCommands.h"

#include "app/AppState.h"
#include "app/Ids.h"
#include "app/core/ExternalPrograms.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/UpdateCheck.h"
#include "library/IndexTree.h"
#include "library/LanguageSwitch.h"
#include "library/core/PathRules.h"
#include "toolkit/Clipboard.h"
#include "toolkit/MessageBox.h"
#include "toolkit/core/ProcessLauncher.h"

namespace app {
namespace {

// Every command that names the current code file names the same file: the
// one the code view loaded, below the library main path.
std::string CurrentCodeFilePath(const AppState& app) {
  return library::CodeFilePath(app.settings.libPath, app.currentCodeFile);
}

}  // namespace

void StartUpdateCheck(AppState& app) {
  app.versionText = kProgramVersion;
  dialogs::CheckForUpdates(app);
  app.ui.ShowWindow(window_id::kUpdate, true);
}

void OpenCurrentCodeFile(AppState& app) {
  if (app.currentCodeFile.empty()) return;
  (void)OpenCodeFile(app.settings.codeEditorPath, CurrentCodeFilePath(app));
}

void EditViewerHelp(AppState& app) {
  const library::LibraryDatabase& database = app.database;
  const long help = database.helpEntryIndex;
  if (help <= 0 || static_cast<std::size_t>(help) >= database.entries.size()) {
    toolkit::ShowMessageBox("Sorry", "seems the helpfile can't be found.");
    return;
  }
  const std::string_view file = database.entries[static_cast<std::size_t>(help)].file;
  (void)toolkit::StartProgram("xdg-open",
                              {PathArgument(library::CodeFilePath(app.settings.libPath, file))});
}

void CopyCodePath(AppState& app) {
  toolkit::SetClipboardText(CurrentCodeFilePath(app));
}

void ToggleIndexLanguage(AppState& app) {
  using library::Language;
  const Language language = library::IndexLanguage(app);
  if (language == Language::French) return;  // French stays
  ChooseIndexLanguage(app, language == Language::English ? Language::German : Language::English);
}

void ChooseIndexLanguage(AppState& app, library::Language language) {
  app.ui.SetGadgetState(gadget_id::kLanguageBox, static_cast<int>(language));
  library::ApplyLanguage(app, false);
}

}  // namespace app

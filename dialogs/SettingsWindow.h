// The settings window: created once and hidden, filled and shown by the main
// window's settings button, and the commands of its buttons.
#pragma once

#include <string>

#include "library/core/AppSettings.h"

namespace app {
struct AppState;
}

namespace dialogs {

void CreateSettingsWindow(app::AppState& app);

// Fills the path and font fields from the settings and shows the window.
void OpenSettingsWindow(app::AppState& app);

// The three "..." buttons: choose the database file, the library main
// folder and the code font into the window's fields.
void ChooseDatabaseFile(app::AppState& app);
void ChooseLibraryFolder(app::AppState& app);
void ChooseCodeFont(app::AppState& app);

// The database file and the library folder the path fields show.
struct SettingsPaths {
  std::string database;
  std::string library;
};
SettingsPaths PathsInForm(const app::AppState& app);

// The settings as they are with every value of the form taken over: the
// database folder (into dbPath), the library folder, the choices, the check
// boxes and the code font (its size within the allowed range). A choice
// box without a choice keeps the setting's value. The index language stays
// as it is: the language box is the index language itself.
library::AppSettings SettingsInForm(const app::AppState& app);

// Hides the window.
void CloseSettingsWindow(app::AppState& app);

}  // namespace dialogs

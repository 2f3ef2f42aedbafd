// The settings window: created once and hidden, filled and shown by the main
// window's settings button, and the commands of its buttons.
#pragma once

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

// Apply: reloads the database with the paths shown, for this run only.
void ApplySettingsPaths(app::AppState& app);

// Save: takes every setting over, hides the window and writes the preferences.
void SaveSettings(app::AppState& app);

}  // namespace dialogs

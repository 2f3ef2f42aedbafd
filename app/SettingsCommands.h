// The settings window's Apply and Save: what the form holds, taken over into
// the program.
#pragma once

namespace app {

struct AppState;

// Apply: reloads the database with the paths the form shows, for this run
// only, and shows the new database in the information window.
void ApplySettingsPaths(AppState& app);

// Save: takes every setting of the form over and applies what changed (the
// code again with a new marking, the code font, the index language and
// texts, the index colours, the title), hides the window and writes the
// preferences.
void SaveSettings(AppState& app);

}  // namespace app

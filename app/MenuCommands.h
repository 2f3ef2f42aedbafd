// The commands of the info and admin menus and of the language keys.
#pragma once

#include "library/core/Language.h"

namespace app {

struct AppState;

// Info menu.
void StartUpdateCheck(AppState& app);
// Opens the current code file in the user's editor or the desktop's default application.
void OpenCurrentCodeFile(AppState& app);

// Admin menu.
// Opens the help entry's file with the desktop's default application.
void EditViewerHelp(AppState& app);
// Puts the current code file's path on the clipboard.
void CopyCodePath(AppState& app);

// Language keys: F6 switches between German and English (French stays);
// Alt+G, Alt+D, Alt+E and Alt+F choose a language. Only the index language changes.
void ToggleIndexLanguage(AppState& app);
void ChooseIndexLanguage(AppState& app, library::Language language);

}  // namespace app

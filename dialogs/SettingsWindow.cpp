// The settings window, created once and hidden.
#include "dialogs/SettingsWindow.h"

#include "app/AppState.h"

namespace dialogs {

void CreateSettingsWindow(app::AppState&) {}

}  // namespace dialogs

// The settings window, created once and hidden.
#pragma once

namespace app {
struct AppState;
}

namespace dialogs {

void CreateSettingsWindow(app::AppState& app);

}  // namespace dialogs

// Asking the update server for the newest program and library versions.
#pragma once

namespace app {
struct AppState;
}

namespace dialogs {

// Fetches the version file and puts the three results into the update window.
void CheckForUpdates(app::AppState& app);

}  // namespace dialogs

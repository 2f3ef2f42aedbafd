// The database-information window, created once and hidden.
#pragma once

namespace app {
struct AppState;
}

namespace dialogs {

void CreateDatabaseInfoWindow(app::AppState& app);

}  // namespace dialogs

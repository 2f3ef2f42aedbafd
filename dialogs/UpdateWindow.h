// The update window, created once and hidden.
#pragma once

namespace app {
struct AppState;
}

namespace dialogs {

void CreateUpdateWindow(app::AppState& app);

}  // namespace dialogs

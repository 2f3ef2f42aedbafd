// The titled frame that groups the controls of a secondary window.
#pragma once

namespace app {
struct AppState;
}

namespace dialogs {

// A frame with its title in the bold interface font over the transparent
// background, so the window's own background shows through.
void CreateGroupFrame(app::AppState& app, int id, int x, int y, int width, int height,
                      const char* title);

}  // namespace dialogs

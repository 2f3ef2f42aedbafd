// The update window, created once and hidden.
#include "dialogs/UpdateWindow.h"

#include "app/AppState.h"
#include "app/Ids.h"
#include "toolkit/ShortcutCode.h"

namespace dialogs {

void CreateUpdateWindow(app::AppState& app) {
  using namespace toolkit::window_flag;
  toolkit::Window* window = app.ui.OpenWindow(
      app::window_id::kUpdate, 0, 0, 640, 105, "Orvex-Linux-API-Viewer: Update check",
      kSystemMenu | kScreenCentered | kInvisible | kUtility);
  if (window) window->AddShortcut(toolkit::key::kEscape, app::menu_item::kEscape);
}

}  // namespace dialogs

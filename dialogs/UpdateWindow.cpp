// The update window, created once and hidden.
#include "dialogs/UpdateWindow.h"

#include "app/AppState.h"
#include "app/Ids.h"
#include "toolkit/TextFieldGadget.h"
#include "toolkit/core/ShortcutCode.h"

namespace dialogs {

void CreateUpdateWindow(app::AppState& app) {
  using namespace toolkit::window_flag;
  namespace gid = app::gadget_id;
  toolkit::Ui& ui = app.ui;
  toolkit::Window* window =
      ui.OpenWindow(app::window_id::kUpdate, 0, 0, 640, 105, "Orvex-Linux-API-Viewer: Update check",
                    kSystemMenu | kScreenCentered | kInvisible | kUtility);
  if (!window) return;
  window->AddShortcut(toolkit::key::kEscape, app::menu_item::kEscape);
  // The results only report; they never take the focus from the keyboard.
  constexpr int kResultFlags =
      toolkit::text_field_flag::kReadOnly | toolkit::text_field_flag::kNoFocus;
  ui.CreateLabel(gid::kUpdateGtk2Label, 5, 15, 345, 22, "App-Update gtk2 verfügbar? ");
  ui.CreateTextField(gid::kUpdateGtk2Result, 355, 10, 280, 26, kResultFlags);
  ui.RelateLabel(gid::kUpdateGtk2Label, gid::kUpdateGtk2Result);
  ui.CreateLabel(gid::kUpdateGtk3Label, 5, 45, 345, 22, "App-Update gtk3 verfügbar? ");
  ui.CreateTextField(gid::kUpdateGtk3Result, 355, 40, 280, 26, kResultFlags);
  ui.RelateLabel(gid::kUpdateGtk3Label, gid::kUpdateGtk3Result);
  ui.CreateLabel(gid::kUpdateLibraryLabel, 5, 75, 345, 22,
                 "API-Update (Codes & Datenbank) verfügbar? ");
  ui.CreateTextField(gid::kUpdateLibraryResult, 355, 70, 280, 26, kResultFlags);
  ui.RelateLabel(gid::kUpdateLibraryLabel, gid::kUpdateLibraryResult);
}

}  // namespace dialogs

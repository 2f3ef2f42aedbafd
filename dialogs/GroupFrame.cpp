// The titled frame that groups the controls of a secondary window.
#include "dialogs/GroupFrame.h"

#include "app/AppState.h"
#include "app/Ids.h"
#include "toolkit/FrameGadget.h"

namespace dialogs {

void CreateGroupFrame(app::AppState& app, int id, int x, int y, int width, int height,
                      const char* title) {
  toolkit::Ui& ui = app.ui;
  ui.CreateFrame(id, x, y, width, height, title);
  ui.SetGadgetFont(id, app::font_id::kBoldUi);
  if (auto* frame = ui.Find<toolkit::FrameGadget>(id)) frame->SetBackground(app.transparent);
}

}  // namespace dialogs

// Commands on the index tree as a whole: the expand/collapse toggle, folding a
// row by double click, and the jump to the viewer's help entry.
#include "app/IndexCommands.h"

#include "app/AppState.h"
#include "app/Ids.h"
#include "toolkit/MessageBox.h"
#include "toolkit/TreeGadget.h"

namespace app {
namespace {

namespace gid = gadget_id;
using toolkit::item_state::kCollapsed;
using toolkit::item_state::kExpanded;

}  // namespace

void ToggleExpandAll(AppState& app) {
  auto* tree = app.ui.Find<toolkit::TreeGadget>(gid::kIndexTree);
  app.expandState = app.expandState == 1 ? 0 : 1;
  if (app.expandState == 1) {
    app.ui.SetGadgetImage(gid::kExpandToggle, ImageId(resources::Icon::Collapse));
    if (tree) tree->ExpandAll();
  } else {
    app.ui.SetGadgetImage(gid::kExpandToggle, ImageId(resources::Icon::Expand));
    if (tree) tree->CollapseAll();
  }
}

void ToggleSelectedRow(AppState& app) {
  toolkit::Ui& ui = app.ui;
  const int row = ui.GadgetState(gid::kIndexTree);
  if (row < 0) return;
  const bool expanded = (ui.GadgetItemState(gid::kIndexTree, row) & kExpanded) != 0;
  ui.SetGadgetItemState(gid::kIndexTree, row, expanded ? kCollapsed : kExpanded);
  ui.SetGadgetState(gid::kIndexTree, row);
}

void ShowHelpEntry(AppState& app) {
  toolkit::Ui& ui = app.ui;
  const long help = app.database.helpEntryIndex;
  if (help <= 0 || static_cast<std::size_t>(help) >= app.database.rows.size()) {
    toolkit::ShowMessageBox(kProgramTitle, "No help-file found.");
    return;
  }
  // The help entry sits in the viewer's own chapter, row 1.
  ui.SetGadgetItemState(gid::kIndexTree, 1, kExpanded);
  ui.SetGadgetState(gid::kIndexTree, static_cast<int>(help));
  ui.PostEvent(toolkit::EventKind::Gadget, window_id::kMain, gid::kIndexTree,
               toolkit::event_type::kChange);
}

}  // namespace app

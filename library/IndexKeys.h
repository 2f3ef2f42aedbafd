// Space, Left and Right in the index tree: expand, collapse and climb.
#pragma once

#include <gtk/gtk.h>

namespace app {
struct AppState;
}

namespace toolkit {
class TreeGadget;
}

namespace library {

// Handler of the index tree's key presses (user data: the AppState). Space,
// Left and Right without Shift, Caps Lock, Control or Alt go to
// ExpandCollapseByKey. Always returns false, so the tree's own key bindings
// run as well.
gboolean OnIndexKeyPress(GtkWidget* widget, GdkEventKey* event, app::AppState* app);

// What a key does to the selected row of the tree:
// - a row with children: Left folds it when it is expanded, and otherwise
//   selects its parent and folds that; Right expands it when it is collapsed;
//   Space toggles it.
// - a row without children: Left selects its parent and folds that; Space
//   and Right do nothing.
// Expanding opens one level: the rows below keep their own states. The
// parent is selected as a click would select it, so the tree reports the
// change. Nothing happens without a selected row or for other keys.
void ExpandCollapseByKey(toolkit::TreeGadget& tree, guint keyval);

}  // namespace library

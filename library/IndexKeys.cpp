// Space, Left and Right in the index tree: expand, collapse and climb.
#include "library/IndexKeys.h"

#include "app/AppState.h"
#include "app/Ids.h"
#include "toolkit/GLibHandles.h"
#include "toolkit/TreeGadget.h"

namespace library {
namespace {

// Held, these leave a key to the tree's own bindings.
constexpr guint kBlockingModifiers =
    GDK_SHIFT_MASK | GDK_LOCK_MASK | GDK_CONTROL_MASK | GDK_MOD1_MASK;

enum class RowAction { None, Collapse, Expand };

struct KeyStep {
  bool onParent = false;  // the action applies to the parent, which is selected first
  RowAction action = RowAction::None;
};

KeyStep StepFor(guint keyval, bool hasChildren, bool expanded, bool hasParent) {
  const KeyStep foldParent{true, RowAction::Collapse};
  if (!hasChildren) {
    return keyval == GDK_KEY_Left && hasParent ? foldParent : KeyStep{};
  }
  switch (keyval) {
    case GDK_KEY_Left:
      if (expanded) return {false, RowAction::Collapse};
      return hasParent ? foldParent : KeyStep{};
    case GDK_KEY_Right:
      return expanded ? KeyStep{} : KeyStep{false, RowAction::Expand};
    case GDK_KEY_space:
      return {false, expanded ? RowAction::Collapse : RowAction::Expand};
    default:
      return {};
  }
}

}  // namespace

void ExpandCollapseByKey(toolkit::TreeGadget& tree, guint keyval) {
  GtkTreeView* view = tree.View();
  GtkTreeModel* model = nullptr;
  GtkTreeIter iter;
  if (!gtk_tree_selection_get_selected(gtk_tree_view_get_selection(view), &model, &iter)) return;
  toolkit::GtkTreePathPtr path(gtk_tree_model_get_path(model, &iter));
  if (!path) return;

  const bool hasChildren = gtk_tree_model_iter_has_child(model, &iter) != FALSE;
  const bool expanded = hasChildren && gtk_tree_view_row_expanded(view, path.get());
  const bool hasParent = gtk_tree_path_get_depth(path.get()) > 1;
  const KeyStep step = StepFor(keyval, hasChildren, expanded, hasParent);
  if (step.action == RowAction::None) return;

  if (step.onParent) {
    gtk_tree_path_up(path.get());
    // Moving the cursor selects the row the way a click does: the selection
    // reports its change, and the cursor stays with the selected row.
    gtk_tree_view_set_cursor(view, path.get(), nullptr, FALSE);
  }
  if (step.action == RowAction::Collapse) {
    gtk_tree_view_collapse_row(view, path.get());
  } else {
    gtk_tree_view_expand_row(view, path.get(), FALSE);
  }
}

gboolean OnIndexKeyPress(GtkWidget*, GdkEventKey* event, app::AppState* app) {
  if (!event || !app || (event->state & kBlockingModifiers) != 0) return FALSE;
  if (event->keyval != GDK_KEY_space && event->keyval != GDK_KEY_Left &&
      event->keyval != GDK_KEY_Right) {
    return FALSE;
  }
  if (auto* tree = app->ui.Find<toolkit::TreeGadget>(app::gadget_id::kIndexTree)) {
    ExpandCollapseByKey(*tree, event->keyval);
  }
  return FALSE;
}

}  // namespace library

// How index rows are drawn: bold topics and highlighted GTK3 version notes.
#include "library/IndexRowMarks.h"

#include <optional>
#include <string>

#include "app/AppState.h"
#include "app/Ids.h"
#include "library/core/IndexRowMarkup.h"
#include "toolkit/TreeGadget.h"

namespace library {
namespace {

// Whether a path string is indices of up to nine digits joined by ":". The
// toolkit complains about empty strings and negative or overflowing indices
// instead of just finding no row, so those never reach it.
bool WellFormedPath(const char* pathString) {
  if (!pathString || !*pathString) return false;
  int digits = 0;
  for (const char* c = pathString;; ++c) {
    if (*c >= '0' && *c <= '9') {
      if (++digits > 9) return false;
    } else if (*c == ':' || *c == '\0') {
      if (digits == 0) return false;
      if (*c == '\0') return true;
      digits = 0;
    } else {
      return false;
    }
  }
}

}  // namespace

void RenderIndexRow(GtkTreeViewColumn*, GtkCellRenderer* renderer, GtkTreeModel* model,
                    GtkTreeIter* iter, gpointer data) {
  auto* app = static_cast<app::AppState*>(data);
  if (!app || !renderer || !model || !iter) return;
  const auto* tree = app->ui.Find<toolkit::TreeGadget>(app::gadget_id::kIndexTree);
  // Rows of any other model keep what the text column's attribute gave them.
  if (!tree || model != tree->Model()) return;

  // The model carries each row's item position, so no walk of the tree is
  // needed for the rows drawn.
  int position = -1;
  gtk_tree_model_get(model, iter, toolkit::TreeGadget::kPositionColumn, &position, -1);
  const std::string text = tree->ItemText(position);
  if (const std::optional<std::string> markup =
          IndexRowMarkup(tree->ItemLevel(position), text, app->colours.gtk3Note)) {
    g_object_set(renderer, "markup", markup->c_str(), nullptr);
  } else {
    g_object_set(renderer, "text", text.c_str(), nullptr);
  }
}

int RowIndexOfPath(const toolkit::TreeGadget& tree, const char* pathString) {
  return WellFormedPath(pathString) ? tree.PositionOfPath(pathString) : -1;
}

}  // namespace library

// How index rows are drawn: bold topics and highlighted GTK3 version notes.
#pragma once

#include <gtk/gtk.h>

namespace toolkit {
class TreeGadget;
}

namespace library {

// Cell-data function of the index tree's text cell (data: the AppState). It
// runs for every row drawn: a row whose level and text call for markup gets
// it, every other row is set back to its plain text, so markup never carries
// over from one row to the next.
void RenderIndexRow(GtkTreeViewColumn* column, GtkCellRenderer* renderer, GtkTreeModel* model,
                    GtkTreeIter* iter, gpointer data);

// The tree's item position of the row at a tree path in its string form
// ("0:3:1"): its place in the depth-first walk of the whole tree, parents
// before children, counted from 0. -1 when there is no such row.
int RowIndexOfPath(const toolkit::TreeGadget& tree, const char* pathString);

}  // namespace library

// How index rows are drawn: bold topics and highlighted GTK3 version notes.
#pragma once

#include <gtk/gtk.h>

namespace library {

// Cell-data function of the index tree's text cell (data: the AppState).
void RenderIndexRow(GtkTreeViewColumn* column, GtkCellRenderer* renderer, GtkTreeModel* model,
                    GtkTreeIter* iter, gpointer data);

}  // namespace library

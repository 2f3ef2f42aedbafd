// Zooming the code view with Ctrl and the mouse wheel.
#include "codeview/CodeZoom.h"

#include "app/AppState.h"

namespace codeview {

gboolean OnCodeViewScroll(GtkWidget*, GdkEventScroll*, app::AppState*) {
  return FALSE;
}

}  // namespace codeview

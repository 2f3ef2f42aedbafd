// Zooming the code view with Ctrl and the mouse wheel.
#pragma once

#include <gtk/gtk.h>

namespace app {
struct AppState;
}

namespace codeview {

// Handler of the code view's scroll events (user data: the AppState). Returns
// true when it consumed the event.
gboolean OnCodeViewScroll(GtkWidget* widget, GdkEventScroll* event, app::AppState* app);

}  // namespace codeview

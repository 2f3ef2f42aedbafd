// Space, Left and Right in the index tree: expand, collapse and climb.
#pragma once

#include <gtk/gtk.h>

namespace app {
struct AppState;
}

namespace library {

// Handler of the index tree's key presses (user data: the AppState). Always
// returns false, so the tree's own key bindings run as well.
gboolean OnIndexKeyPress(GtkWidget* widget, GdkEventKey* event, app::AppState* app);

}  // namespace library

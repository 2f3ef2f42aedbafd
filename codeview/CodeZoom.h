// Zooming the code view with Ctrl and the mouse wheel.
#pragma once

#include <gtk/gtk.h>

namespace app {
struct AppState;
}

namespace codeview {

// The font size of a zoom step in Pango units: the code font size in points
// times the step's factor in Pango units (the factor × 1024, rounded).
int ZoomedFontSize(long fontSize, double factor);

// Handler of the code view's scroll events (user data: the AppState). Returns
// true when it consumed the event.
gboolean OnCodeViewScroll(GtkWidget* widget, GdkEventScroll* event, app::AppState* app);

// Sets the code view's font to the size of zoom step index; at the normal
// size (step 3) beep marks it.
void ApplyZoom(app::AppState& app, GtkWidget* widget, int index);

// Shows the code font as loaded from the settings, at its plain size: a new
// font or size from the settings appears at factor 1.0. The zoom step is
// kept, so the next Ctrl + wheel step applies its factor to the new size.
void ShowCodeFontAtNormalSize(app::AppState& app);

}  // namespace codeview

// The About window: the toolkit's about dialog, built anew each time.
#pragma once

#include <gtk/gtk.h>

namespace app {
struct AppState;
}

namespace dialogs {

// Builds the credit lists kept for the whole run.
void BuildAboutCredits(app::AppState& app);

// Shows the About window modally with the logo (may be nullptr) and destroys it when closed.
void OpenAboutDialog(app::AppState& app, GdkPixbuf* logo);

}  // namespace dialogs

// The About window: the toolkit's about dialog, built anew each time.
#include "dialogs/AboutDialog.h"

#include "app/AppState.h"

namespace dialogs {

void BuildAboutCredits(app::AppState&) {}

void OpenAboutDialog(app::AppState&, GdkPixbuf*) {}

}  // namespace dialogs

// The About window: the toolkit's about dialog, built anew each time.
#pragma once

#include <string>

namespace app {
struct AppState;
}

namespace dialogs {

// Builds the credit lists kept for the whole run.
void BuildAboutCredits(app::AppState& app);

// "0.25.37 gtk" and the toolkit's major version.
std::string AboutVersion();

// Shows the About window modally, with the program icon as its logo when
// it decodes, and destroys it when closed.
void OpenAboutWindow(app::AppState& app);

}  // namespace dialogs

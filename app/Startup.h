// Bringing the program up in its fixed order, running it, and the orderly end.
#pragma once

#include <memory>

namespace library {
class DatabasePreparation;
}

namespace app {

struct AppState;

// The whole run: start-up, the event loop, the end. Returns the exit status.
int RunProgram(int argc, char** argv);

// The admin and info popup menus with their German entries.
void CreatePopupMenus(AppState& app);

// The initialisation between the toolkit's set-up and the event loop.
// Returns false when the program has to end (no main window, no database).
// preparation, when given, is the database already being read ahead.
bool InitApplication(AppState& app,
                     std::unique_ptr<library::DatabasePreparation> preparation = nullptr);

// Closes all windows, releases images, fonts, menus and lists, hands the
// clipboard to the desktop's clipboard manager and restores the default
// signal handling.
void EndApplication(AppState& app);

}  // namespace app

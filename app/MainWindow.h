// The main window: tool row, index tree, description pane and code view.
#pragma once

namespace app {

struct AppState;

// Builds window 0 with all its gadgets, tooltips and shortcuts. When the
// window cannot be opened it says so and returns false; the caller ends the
// program.
bool CreateMainWindow(AppState& app);

// CreateMainWindow without showing the window, for a start-up that shows it
// once the database is there.
bool BuildMainWindow(AppState& app);

// Re-lays the window out for its current size: the four buttons stay at
// their distances from the right edge, the splitter fills the window when
// resizeSplitter is set, and the two text areas fill the code area.
void LayoutMainWindow(AppState& app, bool resizeSplitter);

}  // namespace app

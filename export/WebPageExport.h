// Writing the whole index as one HTML page between the two templates.
#pragma once

#include <ctime>

namespace app {
struct AppState;
}

namespace exports {

// Writes the page into the export folder and tells where it went. A page that
// cannot be created is left silently; a failed write says it couldn't be created.
void ExportWebPage(app::AppState& app);

// The same with the date stamp of the given moment instead of the clock's.
void ExportWebPage(app::AppState& app, std::time_t now);

}  // namespace exports

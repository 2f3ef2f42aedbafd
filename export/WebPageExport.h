// Writing the whole index as one HTML page between the two templates.
#pragma once

namespace app {
struct AppState;
}

namespace exports {

void ExportWebPage(app::AppState& app);

}  // namespace exports

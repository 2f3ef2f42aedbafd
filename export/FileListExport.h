// Writing the list of every entry's code file, with the missing ones marked.
#pragma once

namespace app {
struct AppState;
}

namespace exports {

void ExportFileList(app::AppState& app);

}  // namespace exports

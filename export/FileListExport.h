// Writing the list of every entry's code file, with the missing ones marked.
#pragma once

namespace app {
struct AppState;
}

namespace exports {

// Writes the list into the export folder, checking each file below the
// library path, and tells where it went, or that it couldn't be created or
// written. The current entry stays as it was.
void ExportFileList(app::AppState& app);

}  // namespace exports

// The database-information window: created once and hidden, filled and shown
// from the info menu, and the commands of its two clickable images.
#pragma once

#include <string>

namespace app {
struct AppState;
}

namespace dialogs {

void CreateDatabaseInfoWindow(app::AppState& app);

// Fills the database fields and counts: the database path, the text of row 0
// with that of entry 0, the library folder, and the two counts.
void FillDatabaseInfo(app::AppState& app);

// The selected file's fields: its file value, the code's format (UTF8 or
// Ascii) and the format its options block asks for (Unicode or Ascii).
void ShowFileInfo(app::AppState& app, const std::string& file, bool sourceIsUtf8,
                  bool executableUnicode);

// Empties the selected file's fields: the selected entry has no file.
void ClearFileInfo(app::AppState& app);

// Makes the first entry current, fills the database fields and counts, and
// shows the window.
void ShowDatabaseInfo(app::AppState& app);

// The copy image: puts the selected code file's full path on the clipboard,
// with a blink of the file field as confirmation. Nothing without a file.
void CopySelectedFilePath(app::AppState& app);

// The folder image: opens the library folder shown in the window (the
// program folder when the field is empty) in the desktop's file manager.
void OpenLibraryFolder(app::AppState& app);

}  // namespace dialogs

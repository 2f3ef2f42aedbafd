// Putting a code file into the code view, with the window title and the
// description's background that tell which file it is.
#pragma once

#include <string>

namespace app {
struct AppState;
}

namespace codeview {

// Shows a code file in the code view: an entry's file value below the
// library main path, or (external) the first path of a file drop. Returns
// whether the file was opened and shown.
bool LoadCodeFile(app::AppState& app, const std::string& path, bool external);

// Sets the main window's title for an entry's file value, as the
// title-content setting asks: its file name, the value as stored, or the
// database folder with the value.
void SetTitleForFile(app::AppState& app, const std::string& file);

// Shows an entry's file (its file value below the library main path): the
// code, the description's background (coloured while the file is missing),
// the title, and the entry's file as the current one, which the view then
// shows, also when it is missing, so that a plain re-click does not try it
// again. Returns whether the file was opened and shown.
bool ShowEntryFile(app::AppState& app, const std::string& file);

// Empties the code view and puts the program's plain title on the main
// window: what shows when the selected entry has no file.
void ShowNoFile(app::AppState& app);

// The text with every line longer than a text view lays out quickly broken
// into pieces (a line of megabytes would take seconds each time it is drawn).
std::string WithOverlongLinesBroken(std::string text);

}  // namespace codeview

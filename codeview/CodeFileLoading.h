// Putting an entry's code file into the code view, and the two selection
// handlers that lead there.
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

// Shows the entry of the index tree's selected row; eventType is the tree
// event's type (left click or change).
void ShowIndexSelection(app::AppState& app, int eventType);

// Shows the entry chosen in the recently viewed list.
void ShowRecentSelection(app::AppState& app);

}  // namespace codeview

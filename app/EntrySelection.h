// Showing the entry the user selected, in the index or in the recently
// viewed list: its description, its code and the file fields of the
// database-information window.
#pragma once

namespace app {

struct AppState;

// Shows the entry of the index tree's selected row; eventType is the tree
// event's type (left click or change).
void ShowIndexSelection(AppState& app, int eventType);

// Shows the entry chosen in the recently viewed list.
void ShowRecentSelection(AppState& app);

}  // namespace app

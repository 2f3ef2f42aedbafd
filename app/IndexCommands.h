// Commands on the index tree as a whole: the expand/collapse toggle, folding a
// row by double click, and the jump to the viewer's help entry.
#pragma once

namespace app {

struct AppState;

// Flips between every row expanded and every row collapsed, with the icon
// that offers the other state.
void ToggleExpandAll(AppState& app);

// Folds the selected row when it is expanded and unfolds it otherwise; the
// row stays selected.
void ToggleSelectedRow(AppState& app);

// Selects the help entry and lets the event loop show it; tells the user when
// the database has none.
void ShowHelpEntry(AppState& app);

}  // namespace app

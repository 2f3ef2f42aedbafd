// Searching the index tree for a term, as the user types or for the next match.
#pragma once

#include <string>

namespace app {

struct AppState;

// Finds the first row from the top (next false) or after the selected row
// (next true) whose text contains term, selects it and posts a change event
// of the tree for the window; gives the not-found hint otherwise.
void SearchIndex(AppState& app, int windowId, int treeId, int fieldId, const std::string& term,
                 bool next);

// Runs the search of the main window's field again that waited for the code
// index, if there is one.
void RunSearchWaitingForCode(AppState& app);

// Builds the lowered texts that the search of the main index looks through,
// unless they are built for its rows already, and in the code scope starts
// building the code index (in the others, drops it); does nothing without
// the index.
void PrepareSearch(AppState& app);

}  // namespace app

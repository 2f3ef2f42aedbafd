// Marking where a search found its term: the first occurrence in the shown
// description, or in the code view, which scrolls to it.
#pragma once

namespace app {

struct AppState;

// Called once the entry of row is shown. When a search selected the row,
// marks the first occurrence of its term in the pane it was found in: the
// description where the scope searches it and it holds the term, otherwise
// the code in the code scope. A row selected by hand instead forgets the
// match (and a search waiting for the code).
void ShowSearchMatch(AppState& app, int row);

// Removes the marks and forgets the match.
void ForgetSearchMatch(AppState& app);

}  // namespace app

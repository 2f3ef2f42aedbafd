// Filling the index tree and the entry list from the database document.
#pragma once

namespace app {
struct AppState;
}

namespace library {

// Builds the rows and entries from the document's root element.
void FillIndexTree(app::AppState& app);

// Expands every row and counts topics and entries.
void ExpandAllAndCount(app::AppState& app);

}  // namespace library

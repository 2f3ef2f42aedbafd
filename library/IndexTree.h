// Filling the index tree and the entry list from the database document.
#pragma once

#include "library/core/Language.h"

namespace app {
struct AppState;
}

namespace library {

struct IndexFillOptions;
struct PreparedDatabase;

// The index language: the settings' language box when it exists, else the
// "Language" setting.
Language IndexLanguage(const app::AppState& app);

// Sets the expand state to "all expanded" and shows it on the toggle image;
// the rows themselves are expanded by the caller.
void ShowExpandedState(app::AppState& app);

// Builds the rows and entries from the document's root element, in the index
// language, with the marks and colours of the settings.
void FillIndexTree(app::AppState& app);

// The same with the rows and entries built ahead by a preparation, when they
// were built for the options of now. The search's lowered texts are left to
// app::PrepareSearch.
void FillIndexTree(app::AppState& app, PreparedDatabase& prepared);

// The options of a fill now: the index language, marks and colours.
IndexFillOptions FillOptions(const app::AppState& app);

// Expands every row and counts topics and entries.
void ExpandAllAndCount(app::AppState& app);

// The row a refill ends on: row 0, which is selected (and drawn) first, or
// the row that was selected before.
enum class RefillSelection { FirstRow, SelectedRow };

// Rebuilds the rows and the entry list for a new index language, marks
// setting or colour scheme, expands every row, and takes the index language
// into the settings.
void RefillIndexTree(app::AppState& app, RefillSelection selection);

// Queues a redraw of the tree and lets the toolkit's pending work run.
void RedrawIndexTree(app::AppState& app);

}  // namespace library

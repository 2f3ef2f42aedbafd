// Showing the entry the user selected, in the index or in the recently
// viewed list.
#include "app/EntrySelection.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/AppState.h"
#include "app/Ids.h"
#include "app/SearchMatch.h"
#include "codeview/CodeFileLoading.h"
#include "codeview/RecentFiles.h"
#include "dialogs/DatabaseInfoWindow.h"
#include "library/IndexTree.h"

namespace app {
namespace {

namespace gid = gadget_id;

void ShowDescription(AppState& app, std::string_view text) {
  app.ui.SetGadgetText(gid::kDescriptionView, codeview::WithOverlongLinesBroken(std::string(text)));
}

// Shows the description and the code of the entry of row, which is current.
void ShowEntryOfRow(AppState& app, int row, int eventType) {
  const library::IndexEntry& entry = *app.database.Current();
  // Root and categories show their own text; entries their description.
  ShowDescription(app, app.database.RowLevel(row) <= 1
                           ? entry.text
                           : entry.Description(library::IndexLanguage(app)));

  // The entry is copied: loading may run the toolkit's pending work.
  const std::string file(entry.file);
  if (file.empty()) {
    codeview::ShowNoFile(app);
    dialogs::ClearFileInfo(app);
    return;
  }
  if (file == app.currentCodeFile && app.viewShowsCurrentCodeFile) {
    if (eventType == toolkit::event_type::kLeftClick) codeview::RecordRecentFile(app, row);
    return;
  }
  codeview::ShowEntryFile(app, file);
  dialogs::ShowFileInfo(app, file, app.sourceIsUtf8, app.executableUnicode);
}

}  // namespace

void ShowIndexSelection(AppState& app, int eventType) {
  const int row = app.ui.GadgetState(gid::kIndexTree);
  if (!app.database.MakeCurrent(row)) return;
  ShowEntryOfRow(app, row, eventType);
  ShowSearchMatch(app, row);
}

void ShowRecentSelection(AppState& app) {
  const int position = app.ui.GadgetState(gid::kHistoryBox);
  if (position < 0 || static_cast<std::size_t>(position) >= app.recentFiles.size()) return;
  const std::int64_t index = app.recentFiles[static_cast<std::size_t>(position)];
  if (index > INT_MAX || !app.database.MakeCurrent(static_cast<long>(index))) return;
  app.ui.SetGadgetState(gid::kIndexTree, static_cast<int>(index));

  const library::IndexEntry& entry = *app.database.Current();
  ShowDescription(app, entry.Description(library::IndexLanguage(app)));
  const std::string file(entry.file);
  if (file != app.currentCodeFile || !app.viewShowsCurrentCodeFile) {
    codeview::ShowEntryFile(app, file);
  }
  ShowSearchMatch(app, static_cast<int>(index));
}

}  // namespace app

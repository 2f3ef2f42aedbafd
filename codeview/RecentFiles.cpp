// The recently viewed list: the entries whose code was looked at last.
#include "codeview/RecentFiles.h"

#include <algorithm>

#include "app/AppState.h"
#include "app/Ids.h"
#include "library/core/PathRules.h"

namespace codeview {

void PushRecentFile(std::vector<std::int64_t>& recentFiles, std::int64_t entryIndex) {
  std::erase(recentFiles, entryIndex);
  if (recentFiles.size() >= kMaxRecentFiles) recentFiles.resize(kMaxRecentFiles - 1);
  recentFiles.insert(recentFiles.begin(), entryIndex);
}

void RecordRecentFile(app::AppState& app, std::int64_t entryIndex) {
  PushRecentFile(app.recentFiles, entryIndex);
  toolkit::Ui& ui = app.ui;
  const auto& entries = app.database.entries;
  ui.ClearGadgetItems(app::gadget_id::kHistoryBox);
  for (const std::int64_t index : app.recentFiles) {
    const bool exists = index >= 0 && static_cast<std::size_t>(index) < entries.size();
    ui.AddGadgetItem(
        app::gadget_id::kHistoryBox, -1,
        exists ? library::FilePart(entries[static_cast<std::size_t>(index)].file) : std::string());
  }
  ui.SetGadgetState(app::gadget_id::kHistoryBox, 0);
}

}  // namespace codeview

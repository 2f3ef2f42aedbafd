// The recently viewed list: the entries whose code was looked at last.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace app {
struct AppState;
}

namespace codeview {

inline constexpr std::size_t kMaxRecentFiles = 10;

// Puts the entry index at the front of the list, without a duplicate and
// with at most kMaxRecentFiles elements.
void PushRecentFile(std::vector<std::int64_t>& recentFiles, std::int64_t entryIndex);

// Records the entry in the list and shows the list, its newest file selected,
// in the main window's recently viewed box.
void RecordRecentFile(app::AppState& app, std::int64_t entryIndex);

}  // namespace codeview

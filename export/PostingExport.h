// Writing the index as forum-posting text.
#pragma once

namespace app {
struct AppState;
}

namespace exports {

enum class PostingScope { All, News };

// Writes every entry (All) or only the new and changed ones (News).
void ExportPosting(app::AppState& app, PostingScope scope);

}  // namespace exports

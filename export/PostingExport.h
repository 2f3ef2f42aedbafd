// Writing the index as forum-posting text.
#pragma once

namespace app {
struct AppState;
}

namespace exports {

// The admin menu's two posting items. Both write the same text, the new
// entries of every category; the scope only tells which item was chosen.
enum class PostingScope { All, News };

// Writes the posting text into the export folder and tells where it went, or
// that the file couldn't be created or written.
void ExportPosting(app::AppState& app, PostingScope scope);

}  // namespace exports

// Dragging an index entry's code file into other applications, and dropping
// files onto the code view.
#pragma once

#include <string>

#include "toolkit/core/Event.h"

namespace app {

struct AppState;

// The file a drag of the selected index entry offers: the entry's code file
// as an absolute path when it is an existing regular file, otherwise empty.
// Makes the selected entry current.
std::string IndexEntryDragFile(AppState& app);

// Starts the drag of the selected entry's file with the copy action; nothing
// for a topic without a file or a missing file.
void DragIndexEntry(AppState& app);

// Shows a file dropped on the code view; drops of anything but files are ignored.
void DropOnCodeView(AppState& app, const toolkit::Event& event);

}  // namespace app

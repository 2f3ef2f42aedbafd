// The desktop clipboard (not the primary selection).
#pragma once

#include <string>

namespace toolkit {

void SetClipboardText(const std::string& text);

// Hands the clipboard's content to the desktop's clipboard manager, so that
// text the program put there outlives the program. Returns at once when no
// manager runs.
void StoreClipboard();

}  // namespace toolkit

// Copying the whole code of the code view to the clipboard.
#pragma once

namespace app {

struct AppState;

// Selects the whole code so the user sees what is copied, puts it on the
// clipboard and removes the selection again. Nothing when the view is empty.
void CopyWholeCode(AppState& app);

}  // namespace app

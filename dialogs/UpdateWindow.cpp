// The update window, created once and hidden.
#include "dialogs/UpdateWindow.h"

#include "app/AppState.h"

namespace dialogs {

void CreateUpdateWindow(app::AppState&) {}

}  // namespace dialogs

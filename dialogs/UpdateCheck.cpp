// Asking the update server for the newest program and library versions.
#include "dialogs/UpdateCheck.h"

#include "app/AppState.h"

namespace dialogs {

void CheckForUpdates(app::AppState&) {}

}  // namespace dialogs

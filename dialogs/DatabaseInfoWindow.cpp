// The database-information window, created once and hidden.
#include "dialogs/DatabaseInfoWindow.h"

#include "app/AppState.h"

namespace dialogs {

void CreateDatabaseInfoWindow(app::AppState&) {}

}  // namespace dialogs

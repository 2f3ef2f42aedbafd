// Switching the index language, and with it optionally the texts of all windows.
#include "library/LanguageSwitch.h"

#include "app/AppState.h"

namespace library {

void ApplyLanguage(app::AppState&, bool) {}

}  // namespace library

// Switching the index language, and with it optionally the texts of all windows.
#include "library/LanguageSwitch.h"

#include "app/AppState.h"
#include "library/IndexTree.h"

namespace library {

void ApplyLanguage(app::AppState& app, bool withTexts) {
  if (IndexLanguage(app) == app.settings.language) return;
  // The refill ends on row 0 and takes the new language into the settings.
  RefillIndexTree(app, RefillCaller::LanguageSwitch);
  // The window texts of the language file are not applied yet; the index
  // alone follows the language.
  static_cast<void>(withTexts);
}

}  // namespace library

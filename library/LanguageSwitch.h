// Switching the index language, and with it optionally the texts of all windows.
#pragma once

namespace app {
struct AppState;
}

namespace library {

// Switches to the language chosen in the settings' language box when it
// differs from the stored one; with withTexts also applies the UI texts.
void ApplyLanguage(app::AppState& app, bool withTexts);

}  // namespace library

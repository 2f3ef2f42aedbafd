// Switching the index language, and with it optionally the texts of all windows.
#pragma once

#include <string>
#include <string_view>

namespace app {
struct AppState;
}

namespace library {

// The UI text of identifier (with tooltip, its tooltip) for a language code
// "de", "en" or "fr"; an empty code stands for the language of the "LANG"
// environment variable. The language file is read on the first lookup, and
// again on later lookups while it could not be read; the first failure of a
// run says so in a message box. Empty when there is no such text.
std::string UiText(app::AppState& app, std::string_view identifier, bool tooltip, std::string code);

// Puts the texts and tooltips of a language code on the windows, menus and
// selectors. Every text replaces the current one, also when it is empty.
void ApplyUiTexts(app::AppState& app, const std::string& code);

// Switches to the language chosen in the settings' language box when it
// differs from the stored one; with withTexts also applies the UI texts.
void ApplyLanguage(app::AppState& app, bool withTexts);

}  // namespace library

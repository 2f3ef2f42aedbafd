// Reading the preferences file at start-up and writing it back.
#pragma once

namespace app {
struct AppState;
}

namespace library {

// Reads the preferences file of the program folder into the settings and
// applies the code font. Returns whether the file existed.
bool ReadPreferences(app::AppState& app);

// Writes the settings into the preferences file.
bool WritePreferences(app::AppState& app);

}  // namespace library

// Reading the preferences file at start-up and writing it back.
#pragma once

#include <string>

namespace app {
struct AppState;
}

namespace library {

// Reads the preferences file of the program folder into the settings and
// applies the code font. Returns whether the file existed.
bool ReadPreferences(app::AppState& app);

struct AppSettings;

// The database file that start-up will load without asking, found ahead from
// the preferences file alone: the stored location when it is a file, the
// database file in it when it is a folder. Empty when there is no
// preferences file or the location is neither. settings receives what the
// file stores. Changes nothing and needs no display.
std::string StoredDatabasePath(const app::AppState& app, AppSettings& settings);

// Writes the settings into the preferences file.
bool WritePreferences(app::AppState& app);

}  // namespace library

// Where the database comes from at start-up, and loading it.
#pragma once

#include <string>

namespace app {
struct AppState;
}

namespace library {

// Turns the stored database location into the database path, asking the
// user for the file when needed.
void ResolveDatabasePath(app::AppState& app, bool preferencesExisted);

struct PreparedDatabase;

// Takes over the database that prepared loaded from the database path at
// start-up. Returns false after telling the user why there is none; the
// program then ends.
bool LoadDatabaseAtStartup(app::AppState& app, PreparedDatabase& prepared);

// Loads the database again with new paths (the settings' Apply); never ends
// the program and shows no message. The caller shows the new database in
// the information window.
void ReloadDatabase(app::AppState& app, const std::string& databasePath,
                    const std::string& libraryPath);

}  // namespace library

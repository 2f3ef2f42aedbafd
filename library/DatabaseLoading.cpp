// Where the database comes from at start-up, and loading it.
#include "library/DatabaseLoading.h"

#include "app/AppState.h"

namespace library {

void ResolveDatabasePath(app::AppState&, bool) {}

bool LoadDatabaseAtStartup(app::AppState&) {
  return true;
}

void ReloadDatabase(app::AppState&, const std::string&, const std::string&) {}

}  // namespace library

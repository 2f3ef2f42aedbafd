// Searching the index tree for a term, as the user types or for the next match.
#include "app/Search.h"

#include "app/AppState.h"

namespace app {

void SearchIndex(AppState&, int, int, int, const std::string&, bool) {}

}  // namespace app

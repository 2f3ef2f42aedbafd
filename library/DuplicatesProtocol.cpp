// The protocol of database entries that occur more than once.
#include "library/DuplicatesProtocol.h"

#include "app/AppState.h"

namespace library {

void WriteDuplicatesProtocol(app::AppState&) {}

}  // namespace library

// The protocol of database entries that occur more than once.
#pragma once

namespace app {
struct AppState;
}

namespace library {

void WriteDuplicatesProtocol(app::AppState& app);

}  // namespace library

// Building the search's index of the code on a worker thread, and taking it
// over on the main thread when it is done.
#pragma once

#include "library/core/LoweredTexts.h"

namespace app {

struct AppState;

// Starts building the code index for the rows the index shows, unless it is
// built or being built for them already. When it is done, a search that
// waited for it runs again.
void EnsureCodeIndex(AppState& app);

// The code index when it is built for the rows the index shows; nullptr
// while it is being built, or was built for other rows.
const library::LoweredTexts* ReadyCodeIndex(const AppState& app);

// Ends a build under way, waiting for the worker, and forgets the index.
void StopCodeIndex(AppState& app);

}  // namespace app

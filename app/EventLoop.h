// The one loop that takes every event and carries out its command.
#pragma once

#include "toolkit/core/Event.h"

namespace app {

struct AppState;

// Runs until the quit flag is set.
void RunEventLoop(AppState& app);

// Carries out the command of one event; events without a command are ignored.
void DispatchEvent(AppState& app, const toolkit::Event& event);

}  // namespace app

// Word wrap of the code view, switched with F5.
#pragma once

namespace app {
struct AppState;
}

namespace codeview {

// Switches the code view between no wrapping and wrapping at word boundaries.
void ToggleWordWrap(app::AppState& app);

}  // namespace codeview

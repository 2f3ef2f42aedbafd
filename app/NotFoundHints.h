// The short visual hints of a search that found nothing.
#pragma once

namespace app {

struct AppState;

// Colours the gadget's background in the hint colour for a moment.
void BlinkGadget(AppState& app, int gadgetId);

// Moves the window right and left of its place and back.
void ShakeWindow(AppState& app, int windowId, int amplitude);

// Colours the gadget in the hint colour while the window shakes.
void ShakeAndColour(AppState& app, int windowId, int gadgetId, int amplitude);

}  // namespace app

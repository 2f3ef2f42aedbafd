// The short visual hints of a search that found nothing.
#include "app/NotFoundHints.h"

#include "app/AppState.h"
#include "toolkit/GadgetEffects.h"

namespace app {

void BlinkGadget(AppState& app, int gadgetId) {
  if (toolkit::Gadget* gadget = app.ui.FindGadget(gadgetId)) {
    toolkit::BlinkGadget(*gadget, app.colours.hint);
  }
}

void ShakeWindow(AppState& app, int windowId, int amplitude) {
  toolkit::Window* window = app.ui.FindWindow(windowId);
  if (!window) return;
  const int x = window->X();
  toolkit::ShakeWindowAround(*window, x, amplitude);
  toolkit::ReturnWindowTo(*window, x);
}

void ShakeAndColour(AppState& app, int windowId, int gadgetId, int amplitude) {
  toolkit::Window* window = app.ui.FindWindow(windowId);
  toolkit::Gadget* gadget = app.ui.FindGadget(gadgetId);
  if (!window || !gadget) return;
  const int x = window->X();
  toolkit::ColourVisibly(*gadget, app.colours.hint);
  toolkit::ShakeWindowAround(*window, x, amplitude);
  gadget->SetColour(toolkit::ColourAttribute::Background, -1);
  toolkit::ReturnWindowTo(*window, x);
}

}  // namespace app

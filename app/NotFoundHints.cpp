// The short visual hints of a search that found nothing, and the
// confirmation blink of the database-information window.
#include "app/NotFoundHints.h"

#include "app/AppState.h"

namespace app {

void BlinkGadget(AppState&, int) {}

void ShakeWindow(AppState&, int, int) {}

void ShakeAndColour(AppState&, int, int, int) {}

}  // namespace app

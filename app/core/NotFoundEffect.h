// Which visual hint a search that found nothing gives.
#pragma once

#include "library/core/AppSettings.h"

namespace app {

enum class NotFoundEffect {
  Shake,               // the window moves sideways and back
  Blink,               // the search field flashes in the hint colour
  ShakeWhileColoured,  // the window shakes while the field is coloured
};

// The effect of the hint setting. Where the display does not let a program
// move its own window (windowMoves false) a shake would show nothing, so the
// field blinks instead: the user always sees that nothing was found.
NotFoundEffect NotFoundEffectOf(library::SearchHint hint, bool windowMoves);

}  // namespace app

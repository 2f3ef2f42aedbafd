// Which visual hint a search that found nothing gives.
#include "app/core/NotFoundEffect.h"

namespace app {

NotFoundEffect NotFoundEffectOf(library::SearchHint hint, bool windowMoves) {
  if (!windowMoves) return NotFoundEffect::Blink;
  switch (hint) {
    case library::SearchHint::Shake:
      return NotFoundEffect::Shake;
    case library::SearchHint::Blink:
      return NotFoundEffect::Blink;
    case library::SearchHint::ShakeAndBlink:
      break;
  }
  // Values that name no choice give both, as the default does.
  return NotFoundEffect::ShakeWhileColoured;
}

}  // namespace app

// Short visual effects on gadgets and windows: a colour made visible at once,
// a blink, and the moves of a shaking window. Each runs the toolkit's pending
// work itself, so that the effect shows while the caller waits.
#pragma once

#include "toolkit/Gadget.h"
#include "toolkit/Window.h"

namespace toolkit {

// Colours the gadget's background and runs the toolkit until the gadget was
// painted in it (at most a short while).
void ColourVisibly(Gadget& gadget, int colour);

// Colours the gadget's background for 200 ms, then gives it back its own.
void BlinkGadget(Gadget& gadget, int colour);

// Moves the window twice right of x and left of it by amplitude, painting and
// pausing after each move.
void ShakeWindowAround(Window& window, int x, int amplitude);

// Moves the window back to x and waits, briefly, until the window manager
// has put it there.
void ReturnWindowTo(Window& window, int x);

}  // namespace toolkit

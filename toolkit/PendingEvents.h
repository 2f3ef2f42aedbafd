// Letting the toolkit catch up: redraws and other work waiting in its main loop.
#pragma once

#include <gtk/gtk.h>

namespace toolkit {

// Runs the toolkit's pending work without blocking.
inline void ProcessPendingEvents() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

}  // namespace toolkit

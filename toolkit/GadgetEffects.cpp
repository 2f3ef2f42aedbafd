// Short visual effects on gadgets and windows.
#include "toolkit/GadgetEffects.h"

#include <glib.h>

namespace toolkit {
namespace {

constexpr gulong kBlinkMicroseconds = 200'000;
constexpr gulong kShakeStepMicroseconds = 80'000;

constexpr guint kDrawWaitMilliseconds = 100;
constexpr gint64 kHomeWaitMicroseconds = 500'000;
constexpr gulong kHomePollMicroseconds = 5'000;

// Paints the window's invalid parts now, without waiting for the next frame,
// and hands the drawing to the display before the program sleeps.
void PaintWindowNow(GtkWidget* widget) {
  if (!widget) return;
  if (GdkWindow* window = gtk_widget_get_window(gtk_widget_get_toplevel(widget))) {
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gdk_window_process_updates(window, TRUE);
    G_GNUC_END_IGNORE_DEPRECATIONS
  }
  gdk_display_sync(gtk_widget_get_display(widget));
}

// Runs the toolkit until the widget was drawn once more, at most for a short
// while: a new colour first needs the toolkit's style pass, which only the
// next frame runs, so painting at once would still show the old colour.
void DrawOnceMore(GtkWidget* widget) {
  if (!widget || !gtk_widget_is_drawable(widget)) return;
  struct Wait {
    bool drawn = false;
    bool timedOut = false;
  } wait;
  const gulong handler = g_signal_connect_after(
      widget, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t*, Wait* w) -> gboolean {
        w->drawn = true;
        return FALSE;
      }),
      &wait);
  const guint timer = g_timeout_add(
      kDrawWaitMilliseconds,
      +[](gpointer w) -> gboolean {
        static_cast<Wait*>(w)->timedOut = true;
        return G_SOURCE_REMOVE;
      },
      &wait);
  gtk_widget_queue_draw(widget);
  while (!wait.drawn && !wait.timedOut) gtk_main_iteration_do(TRUE);
  if (!wait.timedOut) g_source_remove(timer);
  g_signal_handler_disconnect(widget, handler);
  gdk_display_sync(gtk_widget_get_display(widget));
}

void MoveWindowTo(Window& window, int x) {
  window.MoveResize(x, kLeaveUnchanged, kLeaveUnchanged, kLeaveUnchanged);
  PaintWindowNow(GTK_WIDGET(window.Handle()));
}

}  // namespace

void ShakeWindowAround(Window& window, int x, int amplitude) {
  for (int i = 0; i < 2; ++i) {
    MoveWindowTo(window, x + amplitude);
    g_usleep(kShakeStepMicroseconds);
    MoveWindowTo(window, x - amplitude);
    g_usleep(kShakeStepMicroseconds);
  }
}

// The next shake reads its home position from the window, so one that came
// back before the move landed would let the window drift by the amplitude
// with every search that finds nothing.
void ReturnWindowTo(Window& window, int x) {
  MoveWindowTo(window, x);
  const gint64 deadline = g_get_monotonic_time() + kHomeWaitMicroseconds;
  while (window.X() != x && g_get_monotonic_time() < deadline) g_usleep(kHomePollMicroseconds);
}

void ColourVisibly(Gadget& gadget, int colour) {
  gadget.SetColour(ColourAttribute::Background, colour);
  DrawOnceMore(gadget.Widget());
}

void BlinkGadget(Gadget& gadget, int colour) {
  ColourVisibly(gadget, colour);
  g_usleep(kBlinkMicroseconds);
  gadget.SetColour(ColourAttribute::Background, -1);
}

}  // namespace toolkit

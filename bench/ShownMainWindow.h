// The viewer's main window as the timing programs need it: built and shown
// as start-up does, with the default fonts and colours.
#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "app/AppState.h"
#include "app/Ids.h"
#include "app/MainWindow.h"
#include "toolkit/PendingEvents.h"

namespace bench {

// The main window, mapped and idle; nothing when it could not be built.
inline std::unique_ptr<app::AppState> ShownMainWindow() {
  auto app = std::make_unique<app::AppState>();
  app->programDirectory = "./";
  app->ui.LoadFont(app::font_id::kCode, "Monospace", 10);
  app->ui.LoadFont(app::font_id::kBoldUi, "Sans bold", 10);
  app->colours.Apply(false);
  if (!app::CreateMainWindow(*app)) return nullptr;
  app::LayoutMainWindow(*app, true);
  GtkWidget* window = GTK_WIDGET(app->ui.FindWindow(app::window_id::kMain)->Handle());
  while (!gtk_widget_get_mapped(window)) gtk_main_iteration();
  toolkit::ProcessPendingEvents();
  return app;
}

// Redraws the widget and runs the toolkit until the drawing is done.
inline void WaitForDraw(GtkWidget* widget) {
  bool drawn = false;
  const gulong handler = g_signal_connect_after(
      widget, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t*, gpointer done) -> gboolean {
        *static_cast<bool*>(done) = true;
        return FALSE;
      }),
      &drawn);
  gtk_widget_queue_draw(widget);
  while (!drawn) gtk_main_iteration();
  g_signal_handler_disconnect(widget, handler);
}

}  // namespace bench

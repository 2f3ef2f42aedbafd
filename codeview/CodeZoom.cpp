// Zooming the code view with Ctrl and the mouse wheel.
#include "codeview/CodeZoom.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/AppState.h"
#include "app/Ids.h"
#include "app/core/ExternalPrograms.h"

namespace codeview {
namespace {

constexpr int kNormalZoomIndex = 3;

}  // namespace

int ZoomedFontSize(long fontSize, double factor) {
  const long long size = static_cast<long long>(fontSize) * std::lround(factor * PANGO_SCALE);
  return static_cast<int>(std::clamp<long long>(size, 1, std::numeric_limits<int>::max()));
}

gboolean OnCodeViewScroll(GtkWidget* widget, GdkEventScroll* event, app::AppState* app) {
  double deltaX = 0;
  double deltaY = 0;
  if (event->direction == GDK_SCROLL_SMOOTH &&
      gdk_event_get_scroll_deltas(reinterpret_cast<GdkEvent*>(event), &deltaX, &deltaY)) {
    app->smoothScrollSeen = true;
  } else {
    deltaY = 0;
  }
  if (!(event->state & GDK_CONTROL_MASK)) return FALSE;

  const int last = static_cast<int>(app->zoomFactors.size()) - 1;
  if ((event->direction == GDK_SCROLL_DOWN && !app->smoothScrollSeen) || deltaY == 1.0) {
    app->zoomIndex = std::max(app->zoomIndex - 1, 0);
  } else if ((event->direction == GDK_SCROLL_UP && !app->smoothScrollSeen) || deltaY == -1.0) {
    app->zoomIndex = std::min(app->zoomIndex + 1, last);
  }
  if (app->lastAppliedZoom != app->zoomIndex) ApplyZoom(*app, widget, app->zoomIndex);
  app->lastAppliedZoom = app->zoomIndex;
  return TRUE;
}

void ApplyZoom(app::AppState& app, GtkWidget* widget, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= app.zoomFactors.size()) return;
  // The code gadget keeps its font in its own style sheet, which wins over
  // the theme; the zoomed font replaces it there.
  toolkit::Gadget* code = app.ui.FindGadget(app::gadget_id::kCodeView);
  if (!code) return;
  const PangoFontDescription* current =
      code->Font() ? code->Font()
                   : pango_context_get_font_description(gtk_widget_get_pango_context(widget));
  toolkit::PangoFontDescriptionPtr font(pango_font_description_copy(current));
  pango_font_description_set_size(font.get(),
                                  ZoomedFontSize(static_cast<long>(app.settings.fontSize),
                                                 app.zoomFactors[static_cast<std::size_t>(index)]));
  code->SetFont(font.get());
  if (index == kNormalZoomIndex) app::Beep("100", "20");
  gtk_widget_queue_draw(widget);
}

void ShowCodeFontAtNormalSize(app::AppState& app) {
  app.ui.SetGadgetFont(app::gadget_id::kCodeView, app::font_id::kCode);
}

}  // namespace codeview

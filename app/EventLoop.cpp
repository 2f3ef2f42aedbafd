// The one loop that takes every event and carries out its command.
#include "app/EventLoop.h"

#include "app/AppState.h"
#include "app/Ids.h"
#include "app/MainWindow.h"
#include "app/SourceMark.h"

namespace app {
namespace {

using toolkit::Event;
using toolkit::EventKind;

void DispatchMainGadget(AppState& app, const Event& event) {
  switch (event.object) {
    case gadget_id::kMainSplitter:
      if (event.type == toolkit::event_type::kLeftClick) LayoutMainWindow(app, false);
      break;
    default:
      break;
  }
}

void DispatchMainMenu(AppState& app, const Event& event) {
  switch (event.object) {
    case menu_item::kEscape:
      app.quit = true;
      break;
    default:
      break;
  }
}

void DispatchMainWindow(AppState& app, const Event& event) {
  switch (event.kind) {
    case EventKind::CloseWindow:
      app.quit = true;
      break;
    case EventKind::SizeWindow:
      LayoutMainWindow(app, true);
      break;
    case EventKind::Gadget:
      DispatchMainGadget(app, event);
      break;
    case EventKind::Menu:
      DispatchMainMenu(app, event);
      break;
    default:
      break;
  }
}

// Closing or Escape only hides a secondary window.
void DispatchSecondaryWindow(AppState& app, const Event& event) {
  const bool hide = event.kind == EventKind::CloseWindow ||
                    (event.kind == EventKind::Menu && event.object == menu_item::kEscape);
  if (!hide) return;
  if (toolkit::Window* window = app.ui.FindWindow(event.window)) window->Show(false);
}

}  // namespace

void DispatchEvent(AppState& app, const Event& event) {
  MARK_SOURCE();
  switch (event.window) {
    case window_id::kMain:
      DispatchMainWindow(app, event);
      break;
    case window_id::kSettings:
    case window_id::kDatabaseInfo:
    case window_id::kUpdate:
      DispatchSecondaryWindow(app, event);
      break;
    default:
      break;
  }
}

void RunEventLoop(AppState& app) {
  while (!app.quit) {
    const Event event = app.ui.WaitEvent();
    DispatchEvent(app, event);
  }
}

}  // namespace app

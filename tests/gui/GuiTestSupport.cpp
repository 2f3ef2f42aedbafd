// Helpers for tests that drive the real windows in-process.
#include "GuiTestSupport.h"

#include <gdk/gdkx.h>

#include <chrono>
#include <cstdlib>

#include "app/EventLoop.h"
#include "app/Ids.h"
#include "app/MainWindow.h"
#include "library/IndexTree.h"
#include "library/core/XmlParsing.h"
#include "toolkit/TreeGadget.h"
#include "toolkit/core/Colour.h"

namespace testsupport {
namespace {

using Clock = std::chrono::steady_clock;

long ElapsedMs(Clock::time_point since) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count();
}

}  // namespace

bool RunUntil(const std::function<bool()>& condition, int timeoutMs) {
  const auto start = Clock::now();
  while (!condition()) {
    if (ElapsedMs(start) > timeoutMs) return false;
    if (gtk_events_pending()) {
      gtk_main_iteration_do(FALSE);
    } else {
      g_usleep(2000);
    }
  }
  return true;
}

void RunFor(int milliseconds) {
  RunUntil([] { return false; }, milliseconds);
}

void Settle(app::AppState& app, int quietMs, int timeoutMs) {
  const auto start = Clock::now();
  auto lastActivity = Clock::now();
  while (ElapsedMs(start) < timeoutMs && ElapsedMs(lastActivity) < quietMs) {
    bool busy = false;
    while (gtk_events_pending()) {
      gtk_main_iteration_do(FALSE);
      busy = true;
    }
    while (auto event = app.ui.Events().Take()) {
      app::DispatchEvent(app, *event);
      busy = true;
    }
    if (busy) {
      lastActivity = Clock::now();
    } else {
      g_usleep(2000);
    }
  }
}

void SelectIndexRow(app::AppState& app, int row, int quietMs, int timeoutMs) {
  app.ui.SetGadgetState(app::gadget_id::kIndexTree, row);
  app.ui.PostEvent(toolkit::EventKind::Gadget, app::window_id::kMain, app::gadget_id::kIndexTree,
                   toolkit::event_type::kChange);
  Settle(app, quietMs, timeoutMs);
}

std::string ClipboardText() {
  toolkit::GCharPtr text(gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD)));
  return text ? text.get() : "";
}

std::vector<toolkit::Event> DrainEvents(app::AppState& app) {
  std::vector<toolkit::Event> events;
  while (auto event = app.ui.Events().Take()) events.push_back(*event);
  return events;
}

std::unique_ptr<app::AppState> NewAppState() {
  auto state = std::make_unique<app::AppState>();
  state->programDirectory = "./";
  state->settings.dbPath = state->programDirectory;
  state->settings.libPath = state->programDirectory;
  state->database.directory = state->programDirectory;
  state->ui.LoadFont(app::font_id::kCode, "Monospace", 10);
  state->ui.LoadFont(app::font_id::kBoldUi, "Sans bold", 10);
  state->colours.Apply(false);
  return state;
}

std::unique_ptr<app::AppState> NewAppWithMainWindow() {
  std::unique_ptr<app::AppState> state = NewAppState();
  if (!app::CreateMainWindow(*state)) return nullptr;
  app::LayoutMainWindow(*state, true);
  RunUntil([&] {
    toolkit::Window* window = state->ui.FindWindow(app::window_id::kMain);
    return window && gtk_widget_get_mapped(GTK_WIDGET(window->Handle()));
  });
  Settle(*state);
  return state;
}

std::unique_ptr<app::AppState> NewAppShowing(std::string_view database,
                                             const BeforeFill& beforeFill) {
  std::unique_ptr<app::AppState> app = NewAppWithMainWindow();
  if (!app) return app;
  library::ParseXmlBytes(database, app->database.document);
  if (beforeFill) beforeFill(*app);
  library::FillIndexTree(*app);
  library::ExpandAllAndCount(*app);
  Settle(*app);
  return app;
}

DialogAnswer::DialogAnswer(GType type, std::function<bool(GtkDialog*)> answer)
    : type_(type), answer_(std::move(answer)) {
  source_ = g_timeout_add(30, &DialogAnswer::Poll, this);
}

DialogAnswer::~DialogAnswer() {
  if (!answered_) g_source_remove(source_);
}

gboolean DialogAnswer::Poll(gpointer data) {
  auto* self = static_cast<DialogAnswer*>(data);
  GList* toplevels = gtk_window_list_toplevels();
  for (GList* item = toplevels; item; item = item->next) {
    if (G_TYPE_CHECK_INSTANCE_TYPE(item->data, self->type_) &&
        gtk_widget_get_mapped(GTK_WIDGET(item->data))) {
      self->answered_ = self->answer_(GTK_DIALOG(item->data));
      break;
    }
  }
  g_list_free(toplevels);
  return self->answered_ ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

MessageCatcher::MessageCatcher()
    : answer_(GTK_TYPE_MESSAGE_DIALOG, [this](GtkDialog* dialog) {
        const char* title = gtk_window_get_title(GTK_WINDOW(dialog));
        seen_.title = title ? title : "";
        gchar* text = nullptr;
        g_object_get(dialog, "text", &text, nullptr);
        seen_.text = text ? text : "";
        g_free(text);
        gtk_dialog_response(dialog, GTK_RESPONSE_OK);
        return true;
      }) {}

namespace {

int ColourOf(const GdkRGBA* rgba) {
  if (!rgba) return -1;
  const auto byte = [](double part) { return static_cast<int>(part * 255.0 + 0.5); };
  return toolkit::Rgb(byte(rgba->red), byte(rgba->green), byte(rgba->blue));
}

}  // namespace

IndexRowView IndexRow(app::AppState& app, int position) {
  auto* tree = app.ui.Find<toolkit::TreeGadget>(app::gadget_id::kIndexTree);
  GtkTreeIter iter;
  IndexRowView view;
  if (!tree || !tree->IterOf(position, iter)) return view;
  gchar* text = nullptr;
  gpointer image = nullptr;
  GdkRGBA* textColour = nullptr;
  GdkRGBA* background = nullptr;
  gtk_tree_model_get(tree->Model(), &iter, toolkit::TreeGadget::kTextColumn, &text,
                     toolkit::TreeGadget::kImageColumn, &image,
                     toolkit::TreeGadget::kTextColourColumn, &textColour,
                     toolkit::TreeGadget::kBackgroundColumn, &background, -1);
  view.text = text ? text : "";
  view.image = static_cast<const toolkit::ScaledImage*>(image);
  view.textColour = ColourOf(textColour);
  view.background = ColourOf(background);
  g_free(text);
  if (textColour) gdk_rgba_free(textColour);
  if (background) gdk_rgba_free(background);
  return view;
}

int Run(const std::string& commandLine) {
  const int status = std::system(commandLine.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

unsigned long XidOf(GtkWindow* window) {
  GdkWindow* surface = gtk_widget_get_window(GTK_WIDGET(window));
  return surface ? GDK_WINDOW_XID(surface) : 0;
}

bool FocusForKeys(GtkWindow* window) {
  gtk_window_present(window);
  RunFor(50);
  // The time-out bounds the wait when the focus arrived on its own first.
  Run("timeout 5 xdotool windowfocus --sync " + std::to_string(XidOf(window)));
  return RunUntil([&] { return gtk_window_is_active(window) != FALSE; });
}

}  // namespace testsupport

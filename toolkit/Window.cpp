// A top-level window with its fixed-position gadget layer and its shortcuts.
#include "toolkit/Window.h"

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include "toolkit/core/Geometry.h"
#include "toolkit/core/ShortcutCode.h"
#include "toolkit/core/TextEncoding.h"

namespace toolkit {

Window::Window(int id, EventSink& sink, int x, int y, int width, int height,
               const std::string& title, int flags, GtkWindow* parent, LayoutScale scale)
    : id_(id), flags_(flags), scale_(scale), sink_(sink) {
  width = scale_.ToDisplay(width);
  height = scale_.ToDisplay(height);
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* window = GTK_WINDOW(window_);
  gtk_window_set_title(window, ValidUtf8(title).c_str());
  const bool resizable = (flags & window_flag::kSizeGadget) != 0;
  gtk_window_set_resizable(window, resizable);
  if (flags & window_flag::kUtility) gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_UTILITY);
  if (parent) gtk_window_set_transient_for(window, parent);
  gtk_window_set_default_size(window, width, height);

  // GtkLayout asks for no size of its own, so the window can shrink freely
  // and gadgets keep exactly the positions and sizes the program gives them.
  layer_ = gtk_layout_new(nullptr, nullptr);
  if (!resizable) gtk_widget_set_size_request(layer_, width, height);
  gtk_widget_add_events(layer_,
                        GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
  gtk_container_add(GTK_CONTAINER(window_), layer_);
  gtk_widget_show(layer_);

  accelerators_ = gtk_accel_group_new();
  gtk_window_add_accel_group(window, accelerators_);
  g_object_unref(accelerators_);  // the window holds it from here on

  if (flags & window_flag::kScreenCentered) {
    gtk_window_set_position(window, GTK_WIN_POS_CENTER);
  } else if (x != -1 || y != -1) {
    gtk_window_move(window, x, y);
  }
  lastWidth_ = width;
  lastHeight_ = height;

  // The decorations the desktop shows follow the flags where it honours them.
  ConnectSignal(
      window_, "realize",
      +[](GtkWidget* widget, Window* self) {
        int functions = GDK_FUNC_MOVE | GDK_FUNC_CLOSE;
        if (self->flags_ & window_flag::kMinimizeGadget) functions |= GDK_FUNC_MINIMIZE;
        if (self->flags_ & window_flag::kMaximizeGadget) functions |= GDK_FUNC_MAXIMIZE;
        if (self->flags_ & window_flag::kSizeGadget) functions |= GDK_FUNC_RESIZE;
        gdk_window_set_functions(gtk_widget_get_window(widget),
                                 static_cast<GdkWMFunction>(functions));
      },
      this);

  ConnectEvents();
  if (!(flags & window_flag::kInvisible)) gtk_widget_show(window_);
}

Window::~Window() {
  Destroy();
}

void Window::Destroy() {
  if (window_) gtk_widget_destroy(std::exchange(window_, nullptr));
  layer_ = nullptr;
}

void Window::Queue(EventKind kind) {
  sink_.Deliver(Event{kind, id_, -1, 0, 0, nullptr});
}

void Window::ConnectEvents() {
  ConnectSignal(
      window_, "delete-event",
      +[](GtkWidget*, GdkEvent*, Window* self) -> gboolean {
        self->Queue(EventKind::CloseWindow);
        return TRUE;  // the program decides whether the window goes
      },
      this);
  ConnectSignal(
      window_, "configure-event",
      +[](GtkWidget*, GdkEventConfigure* event, Window* self) -> gboolean {
        if (event->width != self->lastWidth_ || event->height != self->lastHeight_) {
          self->lastWidth_ = event->width;
          self->lastHeight_ = event->height;
          self->lastX_ = event->x;
          self->lastY_ = event->y;
          self->Queue(EventKind::SizeWindow);
        } else if (event->x != self->lastX_ || event->y != self->lastY_) {
          self->lastX_ = event->x;
          self->lastY_ = event->y;
          self->Queue(EventKind::MoveWindow);
        }
        return FALSE;
      },
      this);
  ConnectSignal(
      window_, "window-state-event",
      +[](GtkWidget*, GdkEventWindowState* event, Window* self) -> gboolean {
        constexpr int kWatched = GDK_WINDOW_STATE_ICONIFIED | GDK_WINDOW_STATE_MAXIMIZED;
        if ((event->changed_mask & kWatched) == 0) return FALSE;
        if (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) {
          self->Queue(EventKind::MinimizeWindow);
        } else if (event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) {
          self->Queue(EventKind::MaximizeWindow);
        } else {
          self->Queue(EventKind::RestoreWindow);
        }
        return FALSE;
      },
      this);
  ConnectSignal(
      window_, "focus-in-event",
      +[](GtkWidget*, GdkEvent*, Window* self) -> gboolean {
        self->Queue(EventKind::ActivateWindow);
        return FALSE;
      },
      this);
  ConnectSignal(
      window_, "focus-out-event",
      +[](GtkWidget*, GdkEvent*, Window* self) -> gboolean {
        self->Queue(EventKind::DeactivateWindow);
        return FALSE;
      },
      this);
  ConnectSignal(
      layer_, "draw",
      +[](GtkWidget*, cairo_t*, Window* self) -> gboolean {
        self->Queue(EventKind::Repaint);
        return FALSE;
      },
      this);
  ConnectSignal(
      layer_, "motion-notify-event",
      +[](GtkWidget*, GdkEventMotion*, Window* self) -> gboolean {
        self->Queue(EventKind::MouseMove);
        return FALSE;
      },
      this);
  ConnectSignal(
      layer_, "button-press-event",
      +[](GtkWidget*, GdkEventButton* event, Window* self) -> gboolean {
        if (event->type == GDK_2BUTTON_PRESS && event->button == GDK_BUTTON_PRIMARY) {
          self->sink_.RememberCurrentPointerEvent();
          self->Queue(EventKind::LeftDoubleClick);
        }
        return FALSE;
      },
      this);
  ConnectSignal(
      layer_, "button-release-event",
      +[](GtkWidget*, GdkEventButton* event, Window* self) -> gboolean {
        if (event->button == GDK_BUTTON_PRIMARY || event->button == GDK_BUTTON_SECONDARY) {
          self->sink_.RememberCurrentPointerEvent();
          self->Queue(event->button == GDK_BUTTON_PRIMARY ? EventKind::LeftClick
                                                          : EventKind::RightClick);
        }
        return FALSE;
      },
      this);
}

void Window::Show(bool visible) {
  if (!window_) return;
  if (visible) {
    gtk_widget_show(window_);
    gtk_window_present(GTK_WINDOW(window_));
  } else {
    gtk_widget_hide(window_);
  }
}

void Window::Prepare() {
  if (window_) gtk_widget_realize(window_);
}

bool Window::Visible() const {
  return window_ && gtk_widget_get_visible(window_);
}

void Window::MoveResize(int x, int y, int width, int height) {
  if (!window_) return;
  GtkWindow* window = GTK_WINDOW(window_);
  if (x != kLeaveUnchanged || y != kLeaveUnchanged) {
    int currentX = 0;
    int currentY = 0;
    gtk_window_get_position(window, &currentX, &currentY);
    gtk_window_move(window, x == kLeaveUnchanged ? currentX : x,
                    y == kLeaveUnchanged ? currentY : y);
  }
  if (width != kLeaveUnchanged || height != kLeaveUnchanged) {
    int currentWidth = 0;
    int currentHeight = 0;
    gtk_window_get_size(window, &currentWidth, &currentHeight);
    const int newWidth = width == kLeaveUnchanged ? currentWidth : scale_.ToDisplay(width);
    const int newHeight = height == kLeaveUnchanged ? currentHeight : scale_.ToDisplay(height);
    if (!gtk_window_get_resizable(window)) gtk_widget_set_size_request(layer_, newWidth, newHeight);
    gtk_window_resize(window, newWidth, newHeight);
  }
}

int Window::X() const {
  int x = 0;
  if (window_) gtk_window_get_position(GTK_WINDOW(window_), &x, nullptr);
  return x;
}

int Window::Y() const {
  int y = 0;
  if (window_) gtk_window_get_position(GTK_WINDOW(window_), nullptr, &y);
  return y;
}

bool Window::CanMove() const {
#ifdef GDK_WINDOWING_X11
  return window_ && GDK_IS_X11_DISPLAY(gtk_widget_get_display(window_));
#else
  return false;
#endif
}

int Window::Width() const {
  int width = 0;
  if (window_) gtk_window_get_size(GTK_WINDOW(window_), &width, nullptr);
  return scale_.ToDesign(width);
}

int Window::Height() const {
  int height = 0;
  if (window_) gtk_window_get_size(GTK_WINDOW(window_), nullptr, &height);
  return scale_.ToDesign(height);
}

void Window::SetMinimumSize(int width, int height) {
  minWidth_ = width;
  minHeight_ = height;
  ApplyGeometryHints();
}

void Window::SetMaximumSize(int width, int height) {
  maxWidth_ = width;
  maxHeight_ = height;
  ApplyGeometryHints();
}

void Window::ApplyGeometryHints() {
  if (!window_) return;
  GdkGeometry geometry{};
  int hints = 0;
  if (minWidth_ >= 0 || minHeight_ >= 0) {
    geometry.min_width = minWidth_ < 0 ? 0 : scale_.ToDisplay(minWidth_);
    geometry.min_height = minHeight_ < 0 ? 0 : scale_.ToDisplay(minHeight_);
    hints |= GDK_HINT_MIN_SIZE;
  }
  if (maxWidth_ >= 0 || maxHeight_ >= 0) {
    geometry.max_width = maxWidth_ < 0 ? G_MAXSHORT : scale_.ToDisplay(maxWidth_);
    geometry.max_height = maxHeight_ < 0 ? G_MAXSHORT : scale_.ToDisplay(maxHeight_);
    hints |= GDK_HINT_MAX_SIZE;
  }
  gtk_window_set_geometry_hints(GTK_WINDOW(window_), nullptr, &geometry,
                                static_cast<GdkWindowHints>(hints));
}

void Window::SetTitle(const std::string& title) {
  if (window_) gtk_window_set_title(GTK_WINDOW(window_), ValidUtf8(title).c_str());
}

std::string Window::Title() const {
  const gchar* title = window_ ? gtk_window_get_title(GTK_WINDOW(window_)) : nullptr;
  return title ? title : "";
}

void Window::AddShortcut(int shortcutCode, int itemId) {
  if (!window_) return;
  const ShortcutKey key = DecodeShortcut(shortcutCode);
  int modifiers = 0;
  if (key.shift) modifiers |= GDK_SHIFT_MASK;
  if (key.control) modifiers |= GDK_CONTROL_MASK;
  if (key.alt) modifiers |= GDK_MOD1_MASK;
  shortcuts_.push_back(std::make_unique<Shortcut>(Shortcut{this, itemId}));
  Shortcut* shortcut = shortcuts_.back().get();
  auto connect = [&](unsigned keyValue) {
    using Handler = gboolean(GtkAccelGroup*, GObject*, guint, GdkModifierType, Shortcut*);
    Handler* handler =
        +[](GtkAccelGroup*, GObject*, guint, GdkModifierType, Shortcut* pressed) -> gboolean {
      pressed->window->sink_.Deliver(
          Event{EventKind::Menu, pressed->window->id_, pressed->itemId, 0, 0, nullptr});
      return TRUE;
    };
    GClosure* closure = g_cclosure_new(reinterpret_cast<GCallback>(handler), shortcut, nullptr);
    gtk_accel_group_connect(accelerators_, keyValue, static_cast<GdkModifierType>(modifiers),
                            GtkAccelFlags{}, closure);
  };
  connect(key.keyValue);
  if (key.keyValue == static_cast<unsigned>(key::kReturn)) connect(key::kKeypadEnter);
}

}  // namespace toolkit

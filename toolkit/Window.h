// A top-level window with its fixed-position gadget layer and its shortcuts.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/EventSink.h"
#include "toolkit/core/LayoutScale.h"

namespace toolkit {

namespace window_flag {
inline constexpr int kSystemMenu = 1;  // title bar with the window menu
inline constexpr int kMinimizeGadget = 2;
inline constexpr int kMaximizeGadget = 4;
inline constexpr int kSizeGadget = 8;  // resizable
inline constexpr int kScreenCentered = 16;
inline constexpr int kInvisible = 32;  // created hidden
inline constexpr int kUtility = 64;    // the toolkit's utility window type
}  // namespace window_flag

// Turns the window's signals into events: close requests (kind 2; the window
// stays open, the program decides), size changes (6) or else moves (5),
// minimise, maximise and restore (12, 13, 14), focus (7, 8), redraws (4),
// pointer motion (24) and button releases and double clicks on the window
// itself, outside its gadgets (17, 16, 18).
//
// Sizes are designed sizes: the window lays them out larger by the scale it
// is given (the desktop's text scale) and reports them back unscaled.
// Positions on the screen are never scaled.
class Window {
 public:
  // x or y of -1 leaves the placement to the desktop.
  Window(int id, EventSink& sink, int x, int y, int width, int height, const std::string& title,
         int flags, GtkWindow* parent, LayoutScale scale = {});
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window();

  int Id() const { return id_; }
  GtkWindow* Handle() const { return GTK_WINDOW(window_); }
  // The layer gadgets are placed into at pixel positions.
  GtkLayout* Layer() const { return GTK_LAYOUT(layer_); }

  void Show(bool visible);
  bool Visible() const;
  // Creates the window's resources on the display without showing it, so
  // that showing it later takes less time.
  void Prepare();

  // Moves and resizes; kLeaveUnchanged keeps a value.
  void MoveResize(int x, int y, int width, int height);
  int X() const;
  int Y() const;
  // Whether the program can move the window itself. On X11 it can; a Wayland
  // compositor places windows on its own and ignores the program's moves.
  bool CanMove() const;
  // The inner size.
  int Width() const;
  int Height() const;

  // -1 for no limit in that direction.
  void SetMinimumSize(int width, int height);
  void SetMaximumSize(int width, int height);
  void SetTitle(const std::string& title);
  std::string Title() const;

  // A pressed shortcut queues a menu event with itemId for this window. The
  // keys are window accelerators, so they never reach the focused gadget.
  // Registering Return registers keypad Enter as well.
  void AddShortcut(int shortcutCode, int itemId);

  // Destroys the toplevel; the record stays but does nothing afterwards.
  void Destroy();

 private:
  struct Shortcut {
    Window* window;
    int itemId;
  };
  void ApplyGeometryHints();
  void Queue(EventKind kind);
  void ConnectEvents();

  int id_;
  int flags_;
  LayoutScale scale_;
  EventSink& sink_;
  GtkWidget* window_ = nullptr;
  GtkWidget* layer_ = nullptr;
  GtkAccelGroup* accelerators_ = nullptr;  // owned by the window
  int minWidth_ = -1;
  int minHeight_ = -1;
  int maxWidth_ = -1;
  int maxHeight_ = -1;
  int lastX_ = 0;
  int lastY_ = 0;
  int lastWidth_ = 0;  // as laid out on the display
  int lastHeight_ = 0;
  std::vector<std::unique_ptr<Shortcut>> shortcuts_;
};

}  // namespace toolkit

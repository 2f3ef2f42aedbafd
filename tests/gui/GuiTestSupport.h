// Helpers for tests that drive the real windows in-process.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppState.h"
#include "toolkit/core/Event.h"

namespace testsupport {

// Runs the toolkit's main loop until the condition holds or the time is up.
bool RunUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Runs the toolkit's main loop for about the given time.
void RunFor(int milliseconds);

// Runs the toolkit and the program's dispatch until both are idle.
void Settle(app::AppState& app, int quietMs = 150, int timeoutMs = 5000);

// Selects an index row and shows its entry as a click does: the row's
// change event goes through the program's dispatch.
void SelectIndexRow(app::AppState& app, int row, int quietMs = 150, int timeoutMs = 5000);

// The text on the desktop clipboard, empty when there is none.
std::string ClipboardText();

// Takes every queued event without dispatching it.
std::vector<toolkit::Event> DrainEvents(app::AppState& app);

// An AppState with defaults and fonts, as start-up prepares it before the
// main window is built.
std::unique_ptr<app::AppState> NewAppState();

// Builds the main window and runs the start-up layout, as start-up does.
std::unique_ptr<app::AppState> NewAppWithMainWindow();

// What a test sets up on the new main window before its index is filled:
// settings, paths, other windows. Filling reads them.
using BeforeFill = std::function<void(app::AppState&)>;

// The main window showing a database given as XML text, its index filled,
// expanded and counted as at start-up. beforeFill runs once the text is
// parsed, before the fill.
std::unique_ptr<app::AppState> NewAppShowing(std::string_view database,
                                             const BeforeFill& beforeFill = {});

// Answers a modal dialog the code under test runs: once a dialog of the type
// is on screen, answer is called with it again and again until it returns
// true (for example after a file chooser has caught up with its preset).
class DialogAnswer {
 public:
  DialogAnswer(GType type, std::function<bool(GtkDialog*)> answer);
  DialogAnswer(const DialogAnswer&) = delete;
  DialogAnswer& operator=(const DialogAnswer&) = delete;
  ~DialogAnswer();
  bool Answered() const { return answered_; }

 private:
  static gboolean Poll(gpointer self);
  GType type_;
  std::function<bool(GtkDialog*)> answer_;
  bool answered_ = false;
  guint source_ = 0;
};

// The title and text of the next message box, which is closed with OK.
struct MessageSeen {
  std::string title;
  std::string text;
};
class MessageCatcher {
 public:
  MessageCatcher();
  const MessageSeen& Seen() const { return seen_; }
  bool Answered() const { return answer_.Answered(); }

 private:
  MessageSeen seen_;
  DialogAnswer answer_;
};

// What one row of the index tree holds: its text, image and colours (-1
// where the row has none).
struct IndexRowView {
  std::string text;
  const toolkit::ScaledImage* image = nullptr;  // not owned
  int textColour = -1;
  int background = -1;
};
IndexRowView IndexRow(app::AppState& app, int position);

// Runs a command line and returns its exit status.
int Run(const std::string& commandLine);

// The X window id of a GTK window, for xdotool.
unsigned long XidOf(GtkWindow* window);

// Gives the window the keyboard focus for real key presses and waits until
// the toolkit knows it has it.
bool FocusForKeys(GtkWindow* window);

}  // namespace testsupport

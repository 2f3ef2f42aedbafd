// Copying the whole code with the copy button: the clipboard holds the text
// as shown, whatever the file's encoding; at its end the program hands the
// clipboard to the clipboard manager, which keeps the code after the program
// has ended.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "E2eSupport.h"
#include "support/TempDirectory.h"

// Last: Xlib defines macros such as None, Bool and Status.
#include <X11/Xlib.h>

namespace {

using Clock = std::chrono::steady_clock;

// Clipboard managers that keep the clipboard of a program that has ended.
// xfce4-clipman owns CLIPBOARD_MANAGER, so GTK sends it the store request at
// the end; it keeps the text through its own copy of each new clipboard
// content, though, and never answers that request, so the program ends only
// after GTK's ten seconds of waiting. The last test below answers the request
// itself.
constexpr const char* kClipboardManagers[] = {"xfce4-clipman"};

std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::string candidate = folder + "/" + name;
    if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

// A connection to the display through Xlib: no command-line tool tells who
// owns the clipboard manager's selection or can answer in its place.
class XConnection {
 public:
  XConnection() : display_(XOpenDisplay(nullptr)) {}
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;
  ~XConnection() {
    if (display_) XCloseDisplay(display_);
  }

  bool Ok() const { return display_ != nullptr; }

  Atom Intern(const char* name) const { return XInternAtom(display_, name, False); }

  // The window that owns the selection now; 0 when none does.
  Window Owner(const char* selection) const {
    return XGetSelectionOwner(display_, Intern(selection));
  }

  // Waits until the selection has an owner, or none when owned is false.
  bool WaitForOwner(const char* selection, bool owned, int timeoutMs) const {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while ((Owner(selection) != 0) != owned) {
      if (Clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
  }

  // Takes the clipboard manager's selection with a window of this connection.
  Window BecomeClipboardManager() {
    const Window window =
        XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display_, Intern("CLIPBOARD_MANAGER"), window, CurrentTime);
    XFlush(display_);
    return Owner("CLIPBOARD_MANAGER") == window ? window : 0;
  }

  // Waits for a program's request to save the clipboard (SAVE_TARGETS).
  std::optional<XSelectionRequestEvent> WaitForSaveRequest(int timeoutMs) {
    const Atom manager = Intern("CLIPBOARD_MANAGER");
    const Atom saveTargets = Intern("SAVE_TARGETS");
    std::optional<XSelectionRequestEvent> request;
    WaitForEvent(timeoutMs, [&](const XEvent& event) {
      if (event.type == SelectionRequest && event.xselectionrequest.selection == manager &&
          event.xselectionrequest.target == saveTargets) {
        request = event.xselectionrequest;
      }
      return request.has_value();
    });
    return request;
  }

  // The clipboard's text as UTF-8, fetched from its owner into a property of
  // the window; nothing when the owner does not deliver it.
  std::optional<std::string> FetchClipboardText(Window window, int timeoutMs) {
    const Atom property = Intern("ORVEX_TEST_SAVED");
    const Atom utf8 = Intern("UTF8_STRING");
    XConvertSelection(display_, Intern("CLIPBOARD"), utf8, property, window, CurrentTime);
    XFlush(display_);
    bool delivered = false;
    const bool answered = WaitForEvent(timeoutMs, [&](const XEvent& event) {
      if (event.type != SelectionNotify || event.xselection.requestor != window) return false;
      delivered = event.xselection.property == property;
      return true;
    });
    if (!answered || !delivered) return std::nullopt;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, property, 0, 1 << 20, True, AnyPropertyType, &type,
                           &format, &count, &left, &data) != Success) {
      return std::nullopt;
    }
    std::string text = data && format == 8 ? std::string(reinterpret_cast<char*>(data), count) : "";
    if (data) XFree(data);
    if (type != utf8) return std::nullopt;
    return text;
  }

  // Tells the requesting program that its clipboard has been saved.
  void AnswerSaveRequest(const XSelectionRequestEvent& request) {
    XEvent notify{};
    notify.xselection.type = SelectionNotify;
    notify.xselection.requestor = request.requestor;
    notify.xselection.selection = request.selection;
    notify.xselection.target = request.target;
    notify.xselection.property = request.property;
    notify.xselection.time = request.time;
    XSendEvent(display_, request.requestor, False, 0, &notify);
    XFlush(display_);
  }

 private:
  // Reads events until handled returns true or the time is up.
  template <typename Handler>
  bool WaitForEvent(int timeoutMs, Handler handled) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
      while (XPending(display_) > 0) {
        XEvent event{};
        XNextEvent(display_, &event);
        if (handled(event)) return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  Display* display_;
};

class ClipboardJourney : public e2e::Journey {
 protected:
  // Searches the term from an empty search field and waits until the file
  // named is shown.
  bool Find(const std::string& term, const std::string& file) {
    return e2e::ClickAt(main_, e2e::kSearchFieldX, e2e::kToolRowY) &&
           e2e::SendKeys(main_, "Delete") && e2e::TypeText(main_, term) && Shows(file);
  }
};

TEST_F(ClipboardJourney, CopiedCodeKeepsEveryCharacterWhateverTheFileEncoding) {
  ASSERT_NO_FATAL_FAILURE(Start());
  // UTF-8 with a byte-order mark, UTF-16 and single-byte text, each with
  // characters beyond ASCII; the first two also with topic links.
  ASSERT_TRUE(Find("hallo welt", "Basics/HelloWorld.ox"));
  EXPECT_EQ(CopiedCode(), ShownCodeOf("Basics/HelloWorld.ox"));
  ASSERT_TRUE(Find("farbauswahl", "Dialogs/ColorChooser.ox"));
  EXPECT_EQ(CopiedCode(), ShownCodeOf("Dialogs/ColorChooser.ox"));
  ASSERT_TRUE(Find("gkeyfile", "System/KeyFileSettings.ox"));
  EXPECT_EQ(CopiedCode(), ShownCodeOf("System/KeyFileSettings.ox"));
}

TEST_F(ClipboardJourney, CopiedCodeOutlivesTheProgramWhenAClipboardManagerRuns) {
  std::string manager;
  for (const char* name : kClipboardManagers) {
    if (manager.empty()) manager = FindOnPath(name);
  }
  if (manager.empty()) {
    GTEST_SKIP() << "No clipboard manager that keeps the clipboard of an ending program "
                    "(xfce4-clipman) is on PATH.";
  }
  const XConnection owners;
  ASSERT_TRUE(owners.Ok()) << "the display could not be opened";

  // The manager runs in a home of its own: no history of earlier runs, no
  // settings of the user. GTK criticals of its own are not this test's
  // business, nor is what it prints.
  TempDirectory home;
  std::unique_ptr<e2e::RunningProgram> running;
  if (owners.Owner("CLIPBOARD_MANAGER") == 0) {
    e2e::StartOptions options;
    options.environment = {
        "G_DEBUG=", "HOME=" + home.Path(), "XDG_CONFIG_HOME=" + home.Path() + "/config",
        "XDG_CACHE_HOME=" + home.Path() + "/cache", "XDG_DATA_HOME=" + home.Path() + "/data"};
    options.standardErrorFile = home.Path() + "/manager.err";
    running = std::make_unique<e2e::RunningProgram>(manager, home.Path(), options);
    ASSERT_TRUE(owners.WaitForOwner("CLIPBOARD_MANAGER", true, 20000))
        << manager << " did not become the clipboard manager:\n"
        << TempDirectory::Read(home.Path() + "/manager.err");
  }

  // The user copies the code, then quits with Escape.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Find("hallo welt", "Basics/HelloWorld.ox"));
  const std::string code = ShownCodeOf("Basics/HelloWorld.ox");
  ASSERT_EQ(CopiedCode(), code);
  ASSERT_TRUE(e2e::SendKeys(main_, "Escape"));
  const auto status = program_->WaitForExit(40000);
  ASSERT_TRUE(status.has_value()) << "the program did not end";
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "status " << *status;

  // The manager took the clipboard over and hands out the code.
  EXPECT_TRUE(e2e::ClipboardBecomes(code, 10000)) << e2e::ClipboardText();
  if (running) {
    EXPECT_FALSE(running->WaitForExit(0).has_value()) << "the manager ended";
  }
}

TEST_F(ClipboardJourney, ProgramHandsTheCopiedCodeToTheClipboardManagerWhenItEnds) {
  // This test answers in the manager's place, through the protocol: it owns
  // CLIPBOARD_MANAGER, and the program asks it to save the clipboard.
  XConnection x;
  ASSERT_TRUE(x.Ok()) << "the display could not be opened";
  // A manager ended by an earlier test may take a moment to let go.
  if (!x.WaitForOwner("CLIPBOARD_MANAGER", false, 3000)) {
    GTEST_SKIP() << "Another clipboard manager runs.";
  }
  const Window manager = x.BecomeClipboardManager();
  ASSERT_NE(manager, 0u);

  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Find("hallo welt", "Basics/HelloWorld.ox"));
  const std::string code = ShownCodeOf("Basics/HelloWorld.ox");
  ASSERT_EQ(CopiedCode(), code);
  ASSERT_TRUE(e2e::SendKeys(main_, "Escape"));

  // On its way out the program asks for the clipboard to be saved and, while
  // it waits for the answer, still hands out the code.
  const auto request = x.WaitForSaveRequest(20000);
  ASSERT_TRUE(request.has_value()) << "the program did not ask the manager to save the clipboard";
  EXPECT_EQ(x.FetchClipboardText(manager, 10000).value_or("<not delivered>"), code);
  x.AnswerSaveRequest(*request);
  // The answer lets it end.
  const auto status = program_->WaitForExit(20000);
  ASSERT_TRUE(status.has_value()) << "the program did not end after the answer";
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "status " << *status;
}

}  // namespace

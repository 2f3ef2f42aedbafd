// Helpers for end-to-end tests: a private copy of the staged program, started
// as a real process and driven with real input through xdotool.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "library/core/SettingsFile.h"
#include "support/TempDirectory.h"

namespace e2e {

// Window titles as patterns for WaitForWindow, and the program's own files.
// The main window's title names the shown file after " ~ " once there is one.
inline constexpr const char* kMainWindow = "^Linux OX-ZUR-Erirada-Vuvazo( ~ .*)?$";
inline constexpr const char* kPlainMainWindow = "^Linux OX-ZUR-Erirada-Vuvazo$";
inline constexpr const char* kErrorWindow = "^Linux OX-ZUR-Erirada-Vuvazo-Error$";
inline constexpr const char* kXmlErrorWindow = "^Linux OX-ZUR-Erirada-VuvazoError$";
inline constexpr const char* kSettingsWindow = "^Linux OX-ZUR-Erirada-Vuvazo - Settings$";
inline constexpr const char* kPreferencesName = library::kPreferencesFileName;

// The tool row of the main window: the middle of its controls, where a
// negative x counts from the window's right edge.
inline constexpr int kToolRowY = 17;
inline constexpr int kSearchFieldX = 100;
inline constexpr int kAdminButtonX = 418 + 15;
inline constexpr int kCopyButtonX = -146 + 15;
inline constexpr int kSettingsButtonX = -114 + 15;
inline constexpr int kInfoButtonX = -40 + 15;
// The settings window's Save and Apply buttons.
inline constexpr int kSaveButtonX = 475;
inline constexpr int kSaveButtonY = 488;
inline constexpr int kApplyButtonX = 449 + 87;
inline constexpr int kApplyButtonY = 128 + 18;

// A copy of the staged tree (Templates, Export, Library with the program) in
// a fresh folder, so a test may change preferences and exports freely.
class StagedCopy {
 public:
  StagedCopy();
  bool Ok() const { return ok_; }
  std::string Root() const { return temp_.Path(); }
  std::string ProgramDirectory() const { return temp_.Path() + "/Library/Viewer/"; }
  std::string Program() const { return ProgramDirectory() + "orvex-api-viewer"; }

 private:
  TempDirectory temp_;
  bool ok_ = false;
};

// How a program is started beyond its folder: environment entries
// ("NAME=value") that are added to the test's own or replace the entry of the
// same name, a file that receives its standard error (empty: the test's), and
// a command line the program is started through (empty: none), for example
// one that runs it as another user.
struct StartOptions {
  std::vector<std::string> environment;
  std::string standardErrorFile;
  std::vector<std::string> launcher;
};

// A running program in a process group of its own; the group is killed at
// the end of the test, with whatever the program started.
class RunningProgram {
 public:
  // Starts the program with workingDirectory as its current directory.
  RunningProgram(const std::string& program, const std::string& workingDirectory);
  RunningProgram(const std::string& program, const std::string& workingDirectory,
                 const StartOptions& options);
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram();

  pid_t Pid() const { return pid_; }
  // Whether its end has been seen by WaitForExit.
  bool Ended() const { return reaped_; }
  // Waits for the end; returns the raw wait status, or nothing on time-out.
  std::optional<int> WaitForExit(int timeoutMs = 20000);

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
};

// One of the helper windows (tests/support), started on the same display
// with one argument and ended with SIGTERM when the object goes.
class HelperWindow {
 public:
  HelperWindow(const std::string& program, const std::string& argument,
               const std::string& titlePattern);
  HelperWindow(const HelperWindow&) = delete;
  HelperWindow& operator=(const HelperWindow&) = delete;
  ~HelperWindow();

  // 0 when its window did not appear.
  unsigned long Window() const { return window_; }

 private:
  pid_t pid_ = -1;
  unsigned long window_ = 0;
};

// Waits for the program's end and expects an exit with status 0.
void ExpectOrderlyEnd(RunningProgram& program, int timeoutMs = 20000);

// Presses Escape in the main window, which ends the program, and expects an
// orderly end.
void EndWithEscape(RunningProgram& program, unsigned long mainWindow);

// The lines of a program's standard error that report a toolkit critical or
// warning; empty when there is none.
std::string ToolkitComplaints(const std::string& standardError);

// Opens the settings window of the program with the main window's button; 0
// when it did not open.
unsigned long OpenSettingsOf(pid_t pid, unsigned long mainWindow);

// Chooses the n-th item of the popup menu of the main window's tool-row
// button at buttonX.
bool ChooseMenuItemOf(unsigned long mainWindow, int buttonX, int n);

// Windows are looked up in-process, through a connection of the test's own
// to the X server, so that waiting for one costs a round trip instead of a
// helper program per look. Title patterns are extended regular expressions,
// matched regardless of letter case, as xdotool's search matches them.

// The visible windows whose title matches, in the X server's window tree
// order (bottom to top, parents before children); of the process only when
// pid is not 0.
std::vector<unsigned long> VisibleWindows(pid_t pid, const std::string& titlePattern = "");

// The X window id of the first visible window whose title matches the
// regular expression, waiting up to the time-out; 0 when none appeared.
unsigned long WaitForWindow(const std::string& titlePattern, int timeoutMs = 20000);

// The same, for a window of the given process only.
unsigned long WaitForWindowOf(pid_t pid, const std::string& titlePattern, int timeoutMs = 20000);

// The same, for a window other than the one given: the program's message
// boxes carry the main window's title.
unsigned long WaitForWindowBesides(pid_t pid, const std::string& titlePattern,
                                   unsigned long besides, int timeoutMs = 10000);

// Clicks at a point inside the window and waits until what the click opens
// (a popup menu or a combo box's list) is shown, as one more window of the
// window's process. The toolkit takes the keyboard for a popup before it
// shows it, so keys sent next reach the popup.
bool OpenPopupAt(unsigned long window, int x, int y, int timeoutMs = 10000);

// Runs a command line; returns its exit status (-1 when it did not end normally).
int Run(const std::string& commandLine);

// Runs a command line and returns what it printed.
std::string Output(const std::string& commandLine);

// Activates the window and sends keys to it (xdotool key names).
bool SendKeys(unsigned long window, const std::string& keys);

// Activates the window and types the text into it as key presses.
bool TypeText(unsigned long window, const std::string& text);

// Sends keys to whatever holds the keyboard now, for example an open popup menu.
bool PressKeys(const std::string& keys);

// Clicks the left button at a point inside the window; a negative x counts
// from the window's right edge.
bool ClickAt(unsigned long window, int x, int y);

// Waits until the window is no longer shown; false when it still is at the time-out.
bool WaitUntilHidden(unsigned long window, int timeoutMs = 5000);

// Waits until the program's main window names the file after " ~ ".
bool TitleNamesFile(pid_t pid, const std::string& file, int timeoutMs = 10000);

// The window's title; empty when the window is gone.
std::string WindowTitle(unsigned long window);

// A window's place on the screen (as the window manager put it) and its size.
struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Geometry&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Geometry& geometry);

// All zero when the window is gone.
Geometry GeometryOf(unsigned long window);

// Runs the shell command and collects how far the window's frame moves to
// the side from where it was, by every move the display reports, until
// done(moves) or the time-out: a move that lasts only a moment counts too.
std::set<int> SidewaysMovesDuring(unsigned long window, const std::string& command,
                                  const std::function<bool(const std::set<int>&)>& done,
                                  int timeoutMs = 3000);

// Presses the left button at a point of one window, moves past the drag
// threshold in small steps, then over a point of another window in a few
// steps, so that both see the pointer arrive and stay, and lets go there.
void DragBetween(unsigned long from, int fromX, int fromY, unsigned long to, int toX, int toY);

// Moves a window (and resizes it when a size is given) and waits until the
// window manager has done so.
bool PlaceWindow(unsigned long window, int x, int y, int width = 0, int height = 0);

// The text of the line at a point of a window: a triple click there selects
// it, and the primary selection hands it over. Empty when nothing came.
std::string LineTextAt(unsigned long window, int x, int y, int timeoutMs = 3000);

// The setting lines of a preferences file's text, key to value.
std::map<std::string, std::string> SettingsOf(const std::string& text);

void Pause(int ms);

// Polls the condition until it holds; false when it still does not at the time-out.
bool Eventually(const std::function<bool()>& condition, int timeoutMs = 10000);

// The text in single quotes for a shell command line.
std::string Quote(const std::string& text);

// The text with the special characters of a regular expression escaped.
std::string RegexEscaped(const std::string& text);

// Writes the bytes to a file, creating its folders.
void WriteFile(const std::string& path, const std::string& bytes);

// Replaces the value of the key in the copy's preferences file; false when
// the file has no such key.
bool SetPreference(const StagedCopy& stage, const std::string& key, const std::string& value);

// Waits until the copy's preferences file holds the line "key=value".
bool PreferenceBecomes(const StagedCopy& stage, const std::string& key, const std::string& value,
                       int timeoutMs = 10000);

// What the code view holds of a code file's bytes: the decoded text without
// the targets of its topic links, which the view shows as labels beside the
// text.
std::string ShownCode(const std::string& bytes);

// The clipboard's text as UTF-8; empty when nobody holds the clipboard.
std::string ClipboardText();

// Waits until the clipboard holds the text; false at the time-out.
bool ClipboardBecomes(const std::string& expected, int timeoutMs = 5000);

// A text no program puts on the clipboard by itself. MarkClipboard puts it
// there, held by an xclip in the background that ends when another program
// takes the clipboard over (or after 30 s).
inline constexpr const char* kClipboardMarker = "clipboard marker of the end-to-end tests";
bool MarkClipboard();

// Marks the clipboard, runs copy and returns what the clipboard then holds:
// the marker when copy put nothing there within the time.
std::string CopiedBy(const std::function<bool()>& copy, int timeoutMs = 10000);

// Clicks the main window's copy button and returns what the clipboard then
// holds: the marker when the click put nothing there within the time.
std::string CopyWithButton(unsigned long mainWindow, int timeoutMs = 10000);

// The staged program as a user meets it: a copy of the staged tree for each
// test, the program started in its folder with the main window waited for
// (it shows no entry at the start), and at the end of the test Escape in the
// main window, which must end it with status 0. A test that failed leaves
// its program to be killed instead.
class Journey : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(stage_.Ok()); }
  void TearDown() override;

  std::string Library() const { return stage_.Root() + "/Library/"; }
  std::string PreferencesPath() const { return stage_.ProgramDirectory() + kPreferencesName; }
  std::string Preferences() const { return TempDirectory::Read(PreferencesPath()); }

  // Replaces the value of a key in the copy's preferences, for the next start.
  void SetPreference(const std::string& key, const std::string& value);
  bool PreferenceBecomes(const std::string& key, const std::string& value) const;

  // Starts the program, after ending one started before with Escape, and
  // waits for its main window.
  void Start(const StartOptions& options = {});
  // Escape in the main window; the program must end with status 0.
  void End();

  pid_t Pid() const { return program_->Pid(); }
  std::string Title() const { return WindowTitle(main_); }
  // Waits until the main window's title names the shown file as given.
  bool Shows(const std::string& file) const { return TitleNamesFile(Pid(), file); }
  // Waits until the main window's title names no file.
  bool ShowsNoFile() const { return WaitForWindowOf(Pid(), kPlainMainWindow, 10000) != 0; }

  unsigned long OpenSettings() const { return OpenSettingsOf(Pid(), main_); }
  bool ChooseMenuItem(int buttonX, int n) const { return ChooseMenuItemOf(main_, buttonX, n); }
  // A message box of the program: a window with the main window's title that
  // is not the main window.
  unsigned long WaitForMessageBox(int timeoutMs = 10000) const;
  // Escape in a window of the program hides it, and the program goes on.
  void ExpectEscapeHides(unsigned long window) const;

  // The code view's text, copied with the copy button.
  std::string CopiedCode(int timeoutMs = 10000) const { return CopyWithButton(main_, timeoutMs); }
  // What the code view shows of a file of the library.
  std::string ShownCodeOf(const std::string& file) const {
    return ShownCode(TempDirectory::Read(Library() + file));
  }

  StagedCopy stage_;
  std::unique_ptr<RunningProgram> program_;
  unsigned long main_ = 0;
};

}  // namespace e2e

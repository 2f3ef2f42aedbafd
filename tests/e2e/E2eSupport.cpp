// Helpers for end-to-end tests driving the staged program.
#include "E2eSupport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <regex.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string_view>
#include <thread>
#include <vector>

#include "codeview/core/CodeFileText.h"
#include "codeview/core/HighlightRanges.h"

// Xlib last: its macros (None, Bool, Status) would clash with the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

namespace e2e {

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

StagedCopy::StagedCopy() {
  const char* stage = std::getenv("ORVEX_STAGE");
  if (!stage || temp_.Path().empty()) return;
  std::error_code error;
  std::filesystem::copy(stage, temp_.Path(), std::filesystem::copy_options::recursive, error);
  ok_ = !error && std::filesystem::exists(Program());
}

RunningProgram::RunningProgram(const std::string& program, const std::string& workingDirectory)
    : RunningProgram(program, workingDirectory, StartOptions{}) {}

RunningProgram::RunningProgram(const std::string& program, const std::string& workingDirectory,
                               const StartOptions& options) {
  // The test's environment, with the given entries added or put in place of
  // those of the same name.
  std::vector<std::string> entries;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    const std::size_t equals = text.find('=');
    const std::string name = equals == std::string::npos ? text : text.substr(0, equals + 1);
    bool replaced = false;
    for (const std::string& extra : options.environment) {
      replaced = replaced || extra.compare(0, name.size(), name) == 0;
    }
    if (!replaced) entries.push_back(text);
  }
  entries.insert(entries.end(), options.environment.begin(), options.environment.end());
  std::vector<char*> environment;
  for (std::string& entry : entries) environment.push_back(entry.data());
  environment.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
  if (!options.standardErrorFile.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, options.standardErrorFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
  }
  // A process group of its own, so that the end of the test also ends what
  // the program started (the crash report, outside programs).
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  std::vector<std::string> arguments = options.launcher;
  arguments.push_back(program);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  if (posix_spawn(&pid_, argv[0], &actions, &attributes, argv.data(), environment.data()) != 0) {
    pid_ = -1;
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
}

RunningProgram::~RunningProgram() {
  if (pid_ <= 0) return;
  // The whole group: a report window or an outside program may outlive the
  // program itself and would stand in the way of the next test.
  ::kill(-pid_, SIGKILL);
  if (!reaped_) {
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
}

std::optional<int> RunningProgram::WaitForExit(int timeoutMs) {
  if (pid_ <= 0) return std::nullopt;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      reaped_ = true;
      return status;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return std::nullopt;
}

HelperWindow::HelperWindow(const std::string& program, const std::string& argument,
                           const std::string& titlePattern) {
  std::string name = program;
  std::string value = argument;
  char* argv[] = {name.data(), value.data(), nullptr};
  if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, environ) != 0) pid_ = -1;
  if (pid_ > 0) window_ = WaitForWindowOf(pid_, titlePattern, 20000);
}

HelperWindow::~HelperWindow() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  int status = 0;
  ::waitpid(pid_, &status, 0);
}

int Run(const std::string& commandLine) {
  const int status = std::system(commandLine.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Output(const std::string& commandLine) {
  std::string output;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(commandLine.c_str(), "r"), ::pclose);
  if (!pipe) return output;
  std::array<char, 256> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe.get())) output += buffer.data();
  return output;
}

namespace {

// The test's own connection to the display, opened on first use. Windows
// come and go while they are asked about: errors about vanished windows are
// answered with "no such window", not with the end of the test.
class XServer {
 public:
  static XServer& Get() {
    static XServer server;
    return server;
  }

  ::Display* Display() const { return display_; }
  Atom Intern(const char* name) const { return XInternAtom(display_, name, False); }

  // A property of the window as bytes; nothing when it has none.
  std::optional<std::string> Property(Window window, Atom property, Atom type) const {
    if (!display_) return std::nullopt;
    Atom actualType = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, property, 0, 1 << 20, False, type, &actualType,
                           &format, &items, &remaining, &data) != Success ||
        actualType == None) {
      if (data) XFree(data);
      return std::nullopt;
    }
    const std::size_t bytes =
        items * static_cast<std::size_t>(format == 32 ? sizeof(long) : format / 8);
    std::string value(reinterpret_cast<const char*>(data), bytes);
    XFree(data);
    return value;
  }

  // The window's title as a window manager shows it: _NET_WM_NAME, else WM_NAME.
  std::string Title(Window window) const {
    if (auto name = Property(window, Intern("_NET_WM_NAME"), Intern("UTF8_STRING"))) return *name;
    return Property(window, XA_WM_NAME, AnyPropertyType).value_or("");
  }

  pid_t Pid(Window window) const {
    const auto value = Property(window, Intern("_NET_WM_PID"), XA_CARDINAL);
    if (!value || value->size() < sizeof(long)) return 0;
    long pid = 0;
    std::memcpy(&pid, value->data(), sizeof pid);
    return static_cast<pid_t>(pid);
  }

  bool Viewable(Window window) const {
    XWindowAttributes attributes{};
    return display_ && XGetWindowAttributes(display_, window, &attributes) &&
           attributes.map_state == IsViewable;
  }

  int Width(Window window) const { return Place(window).width; }

  // The window's top left corner on the screen and its size; all zero when
  // the window is gone.
  Geometry Place(Window window) const {
    XWindowAttributes attributes{};
    if (!display_ || !XGetWindowAttributes(display_, window, &attributes)) return {};
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, Root(), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
  }

  std::vector<Window> Children(Window window) const {
    std::vector<Window> children;
    Window root = 0;
    Window parent = 0;
    Window* list = nullptr;
    unsigned int count = 0;
    if (display_ && XQueryTree(display_, window, &root, &parent, &list, &count)) {
      children.assign(list, list + count);
    }
    if (list) XFree(list);
    return children;
  }

  Window Parent(Window window) const {
    Window root = 0;
    Window parent = 0;
    Window* list = nullptr;
    unsigned int count = 0;
    if (!display_ || !XQueryTree(display_, window, &root, &parent, &list, &count)) return 0;
    if (list) XFree(list);
    return parent == root ? 0 : parent;
  }

  Window Root() const { return display_ ? DefaultRootWindow(display_) : 0; }

  // The window that has the keyboard focus, or its nearest ancestor that is
  // a client window (one with WM_STATE), as xdotool's getwindowfocus names it.
  Window Focus() const {
    if (!display_) return 0;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    const Atom state = Intern("WM_STATE");
    for (Window window = focus; window != 0 && window != PointerRoot; window = Parent(window)) {
      if (Property(window, state, AnyPropertyType)) return window;
    }
    return focus;
  }

  Window Active() const {
    const auto value = Property(Root(), Intern("_NET_ACTIVE_WINDOW"), XA_WINDOW);
    if (!value || value->size() < sizeof(long)) return 0;
    long window = 0;
    std::memcpy(&window, value->data(), sizeof window);
    return static_cast<Window>(window);
  }

 private:
  XServer() : display_(XOpenDisplay(nullptr)) {
    XSetErrorHandler([](::Display*, XErrorEvent*) { return 0; });
  }

  ::Display* display_;
};

// Polls for the first window the search finds, every 20 ms.
unsigned long PollForWindow(const std::function<unsigned long()>& search, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (const unsigned long found = search()) return found;
    if (std::chrono::steady_clock::now() >= deadline) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace

std::vector<unsigned long> VisibleWindows(pid_t pid, const std::string& titlePattern) {
  std::vector<unsigned long> found;
  const XServer& server = XServer::Get();
  regex_t pattern;
  if (regcomp(&pattern, titlePattern.c_str(), REG_EXTENDED | REG_ICASE | REG_NOSUB) != 0) {
    return found;
  }
  // Depth first, each window before its children, without recursion.
  std::vector<Window> pending = server.Children(server.Root());
  std::reverse(pending.begin(), pending.end());
  while (!pending.empty()) {
    const Window window = pending.back();
    pending.pop_back();
    if (server.Viewable(window) && (pid == 0 || server.Pid(window) == pid) &&
        regexec(&pattern, server.Title(window).c_str(), 0, nullptr, 0) == 0) {
      found.push_back(window);
    }
    std::vector<Window> children = server.Children(window);
    pending.insert(pending.end(), children.rbegin(), children.rend());
  }
  regfree(&pattern);
  return found;
}

unsigned long WaitForWindow(const std::string& titlePattern, int timeoutMs) {
  return WaitForWindowOf(0, titlePattern, timeoutMs);
}

unsigned long WaitForWindowOf(pid_t pid, const std::string& titlePattern, int timeoutMs) {
  return PollForWindow(
      [&]() -> unsigned long {
        const std::vector<unsigned long> windows = VisibleWindows(pid, titlePattern);
        return windows.empty() ? 0 : windows.front();
      },
      timeoutMs);
}

unsigned long WaitForWindowBesides(pid_t pid, const std::string& titlePattern,
                                   unsigned long besides, int timeoutMs) {
  return PollForWindow(
      [&]() -> unsigned long {
        for (const unsigned long window : VisibleWindows(pid, titlePattern)) {
          if (window != besides) return window;
        }
        return 0;
      },
      timeoutMs);
}

bool OpenPopupAt(unsigned long window, int x, int y, int timeoutMs) {
  const pid_t pid = XServer::Get().Pid(window);
  if (pid == 0) return false;
  const std::size_t before = VisibleWindows(pid).size();
  return ClickAt(window, x, y) &&
         Eventually([&] { return VisibleWindows(pid).size() > before; }, timeoutMs);
}

namespace {

// Makes the window active and waits until it holds the keyboard: keys sent
// to a window that has just appeared would otherwise reach the one that had
// it before, and a click would move the focus while the program answers it.
// Activating the active window again would wait for a change that never comes,
// and the window manager may activate a new window on its own between the
// check and the request: the time-out bounds that wait.
bool Activate(unsigned long window) {
  const XServer& server = XServer::Get();
  const std::string id = std::to_string(window);
  if (server.Active() != window) {
    Run("timeout 5 xdotool windowactivate --sync " + id +
        " >/dev/null 2>&1 || timeout 5 xdotool windowfocus --sync " + id + " >/dev/null 2>&1");
  }
  Eventually([&] { return server.Focus() == window; }, 3000);
  return true;
}

}  // namespace

bool SendKeys(unsigned long window, const std::string& keys) {
  return Activate(window) && PressKeys(keys);
}

bool TypeText(unsigned long window, const std::string& text) {
  return Activate(window) && Run("xdotool type --clearmodifiers --delay 15 " + Quote(text)) == 0;
}

bool PressKeys(const std::string& keys) {
  return Run("xdotool key --clearmodifiers " + keys) == 0;
}

bool ClickAt(unsigned long window, int x, int y) {
  const std::string id = std::to_string(window);
  if (x < 0) {
    const int width = XServer::Get().Width(window);
    if (width == 0) return false;
    x += width;
  }
  if (!Activate(window)) return false;
  // No --sync: it waits for a pointer motion that never comes when the
  // pointer already stands there.
  return Run("xdotool mousemove --window " + id + " " + std::to_string(x) + " " +
             std::to_string(y) + " sleep 0.1 click 1") == 0;
}

bool WaitUntilHidden(unsigned long window, int timeoutMs) {
  return Eventually([&] { return !XServer::Get().Viewable(window); }, timeoutMs);
}

bool TitleNamesFile(pid_t pid, const std::string& file, int timeoutMs) {
  return WaitForWindowOf(pid, "^Linux OX-ZUR-Erirada-Vuvazo ~ " + RegexEscaped(file) + "$",
                         timeoutMs) != 0;
}

std::string WindowTitle(unsigned long window) {
  return XServer::Get().Title(window);
}

std::ostream& operator<<(std::ostream& out, const Geometry& geometry) {
  return out << geometry.width << "x" << geometry.height << "+" << geometry.x << "+" << geometry.y;
}

Geometry GeometryOf(unsigned long window) {
  return XServer::Get().Place(window);
}

std::set<int> SidewaysMovesDuring(unsigned long window, const std::string& command,
                                  const std::function<bool(const std::set<int>&)>& done,
                                  int timeoutMs) {
  std::set<int> moves;
  const XServer& server = XServer::Get();
  ::Display* display = server.Display();
  if (!display) return moves;
  // The window manager moves its frame, the window's ancestor below the root.
  Window frame = window;
  while (const Window parent = server.Parent(frame)) frame = parent;
  const int home = server.Place(frame).x;
  XSelectInput(display, frame, StructureNotifyMask);
  XSync(display, False);
  Run(command);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done(moves) && std::chrono::steady_clock::now() < deadline) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == ConfigureNotify && event.xconfigure.window == frame) {
        moves.insert(event.xconfigure.x - home);
      }
    }
    Pause(10);
  }
  XSelectInput(display, frame, NoEventMask);
  XSync(display, False);
  return moves;
}

void DragBetween(unsigned long from, int fromX, int fromY, unsigned long to, int toX, int toY) {
  const auto at = [](unsigned long window, int x, int y) {
    return " mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " +
           std::to_string(y);
  };
  Run("xdotool" + at(from, fromX, fromY) +
      " sleep 0.2 mousedown 1 sleep 0.2 mousemove_relative 6 0 sleep 0.1"
      " mousemove_relative 10 0 sleep 0.1 mousemove_relative 16 0 sleep 0.2" +
      at(to, toX - 20, toY - 20) + " sleep 0.25" + at(to, toX - 8, toY - 6) + " sleep 0.25" +
      at(to, toX, toY) + " sleep 0.4 mouseup 1");
}

bool PlaceWindow(unsigned long window, int x, int y, int width, int height) {
  const std::string id = std::to_string(window);
  const std::string size =
      width > 0 ? " windowsize " + id + " " + std::to_string(width) + " " + std::to_string(height)
                : "";
  Run("xdotool" + size + " windowmove " + id + " " + std::to_string(x) + " " + std::to_string(y));
  // The window manager keeps the frame's offset; the client lands near the point.
  return Eventually([&] {
    const Geometry now = GeometryOf(window);
    return (width <= 0 || (now.width == width && now.height == height)) &&
           std::abs(now.x - x) < 40 && std::abs(now.y - y) < 60;
  });
}

std::string LineTextAt(unsigned long window, int x, int y, int timeoutMs) {
  // A window just shown may not take clicks yet under load, so the triple click is
  // repeated until a line is selected.
  std::string text;
  Eventually(
      [&] {
        // An empty selection first, so that an old text cannot pass for the new one.
        Run("printf '' | timeout 10 xclip -selection primary >/dev/null 2>&1");
        Run("xdotool mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " +
            std::to_string(y) + " sleep 0.1 click --repeat 3 --delay 80 1");
        return Eventually(
            [&] {
              text = Output("xclip -o -selection primary 2>/dev/null");
              return !text.empty();
            },
            std::min(timeoutMs, 1000));
      },
      timeoutMs);
  return text;
}

std::map<std::string, std::string> SettingsOf(const std::string& text) {
  std::map<std::string, std::string> settings;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos && !line.starts_with(";")) {
      settings[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
  return settings;
}

void Pause(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool Eventually(const std::function<bool()>& condition, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Pause(25);
  }
}

std::string RegexEscaped(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (std::string_view(".[]()*+?^$|\\{}").find(c) != std::string_view::npos) escaped += '\\';
    escaped += c;
  }
  return escaped;
}

namespace {

std::string PreferencesOf(const StagedCopy& stage) {
  return stage.ProgramDirectory() + kPreferencesName;
}

}  // namespace

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool SetPreference(const StagedCopy& stage, const std::string& key, const std::string& value) {
  std::string text = TempDirectory::Read(PreferencesOf(stage));
  const std::size_t at = text.find("\n" + key + "=");
  if (at == std::string::npos) return false;
  const std::size_t end = text.find('\n', at + 1);
  text.replace(at + 1, end == std::string::npos ? std::string::npos : end - at - 1,
               key + "=" + value);
  WriteFile(PreferencesOf(stage), text);
  return true;
}

bool PreferenceBecomes(const StagedCopy& stage, const std::string& key, const std::string& value,
                       int timeoutMs) {
  const std::string line = "\n" + key + "=" + value + "\n";
  return Eventually(
      [&] { return TempDirectory::Read(PreferencesOf(stage)).find(line) != std::string::npos; },
      timeoutMs);
}

std::string ShownCode(const std::string& bytes) {
  std::string text = codeview::DecodeCodeFile(bytes).text;
  // The view puts a label in place of each link target, from the last to the
  // first; no display-free function gives the text without them.
  const codeview::HighlightRanges found =
      codeview::ScanHighlightRanges(text, library::CodeMarking::Plain);
  for (auto link = found.links.rbegin(); link != found.links.rend(); ++link) {
    text.erase(link->targetStart, link->targetEnd - link->targetStart);
  }
  return text;
}

std::string ClipboardText() {
  return Output("timeout 5 xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null");
}

bool ClipboardBecomes(const std::string& expected, int timeoutMs) {
  return Eventually([&] { return ClipboardText() == expected; }, timeoutMs);
}

bool MarkClipboard() {
  Run(std::string("printf %s ") + Quote(kClipboardMarker) +
      " | timeout 30 xclip -quiet -selection clipboard >/dev/null 2>&1 &");
  return ClipboardBecomes(kClipboardMarker);
}

std::string CopiedBy(const std::function<bool()>& copy, int timeoutMs) {
  if (!MarkClipboard()) return "<the clipboard could not be marked>";
  if (!copy()) return "<no copy>";
  std::string text = kClipboardMarker;
  Eventually(
      [&] {
        text = ClipboardText();
        return text != kClipboardMarker;
      },
      timeoutMs);
  return text;
}

std::string CopyWithButton(unsigned long mainWindow, int timeoutMs) {
  return CopiedBy([&] { return ClickAt(mainWindow, kCopyButtonX, kToolRowY); }, timeoutMs);
}

void ExpectOrderlyEnd(RunningProgram& program, int timeoutMs) {
  const std::optional<int> status = program.WaitForExit(timeoutMs);
  ASSERT_TRUE(status.has_value()) << "the program did not end";
  EXPECT_TRUE(WIFEXITED(*status)) << "status " << *status;
  if (WIFEXITED(*status)) {
    EXPECT_EQ(WEXITSTATUS(*status), 0);
  }
}

void EndWithEscape(RunningProgram& program, unsigned long mainWindow) {
  ASSERT_TRUE(SendKeys(mainWindow, "Escape"));
  ExpectOrderlyEnd(program);
}

std::string ToolkitComplaints(const std::string& standardError) {
  std::istringstream lines(standardError);
  std::string complaints;
  for (std::string line; std::getline(lines, line);) {
    if (line.find("-CRITICAL **") != std::string::npos ||
        line.find("-WARNING **") != std::string::npos) {
      complaints += line.substr(0, 300) + "\n";
    }
  }
  return complaints;
}

unsigned long OpenSettingsOf(pid_t pid, unsigned long mainWindow) {
  // Right after the window was moved or resized, the program may not have
  // laid out its tool row at the new size, and the click misses the button:
  // it is repeated until the settings window opens.
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (!ClickAt(mainWindow, kSettingsButtonX, kToolRowY)) return 0;
    if (const unsigned long settings = WaitForWindowOf(pid, kSettingsWindow, 3000)) return settings;
  }
  return 0;
}

bool ChooseMenuItemOf(unsigned long mainWindow, int buttonX, int n) {
  if (!OpenPopupAt(mainWindow, buttonX, kToolRowY)) return false;
  std::string keys;
  for (int i = 0; i < n; ++i) keys += "Down ";
  return PressKeys(keys + "Return");
}

void Journey::TearDown() {
  if (program_ && !program_->Ended() && main_ != 0 && !HasFailure()) End();
}

void Journey::SetPreference(const std::string& key, const std::string& value) {
  ASSERT_TRUE(e2e::SetPreference(stage_, key, value)) << key << " is not in the preferences";
}

bool Journey::PreferenceBecomes(const std::string& key, const std::string& value) const {
  return e2e::PreferenceBecomes(stage_, key, value);
}

void Journey::Start(const StartOptions& options) {
  if (program_ && !program_->Ended()) {
    ASSERT_NO_FATAL_FAILURE(End());
  }
  program_.reset();
  main_ = 0;
  program_ = std::make_unique<RunningProgram>(stage_.Program(), stage_.ProgramDirectory(), options);
  main_ = WaitForWindowOf(program_->Pid(), kPlainMainWindow);
  ASSERT_NE(main_, 0u) << "the main window did not appear";
}

void Journey::End() {
  ASSERT_TRUE(program_);
  EndWithEscape(*program_, main_);
}

unsigned long Journey::WaitForMessageBox(int timeoutMs) const {
  return WaitForWindowBesides(Pid(), kPlainMainWindow, main_, timeoutMs);
}

void Journey::ExpectEscapeHides(unsigned long window) const {
  ASSERT_NE(window, 0u) << "the window did not open";
  const std::string title = WindowTitle(window);
  ASSERT_TRUE(SendKeys(window, "Escape"));
  EXPECT_TRUE(WaitUntilHidden(window)) << title;
  const std::optional<int> ended = program_->WaitForExit(300);
  EXPECT_FALSE(ended.has_value()) << "the program must go on after Escape in " << title
                                  << "; it ended with status " << ended.value_or(-1);
}

}  // namespace e2e

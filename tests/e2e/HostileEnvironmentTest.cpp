// The staged program in hostile surroundings: preferences at the limits of
// their numbers, names full of shell syntax handed to outside programs, odd
// URI lists dropped onto the code view, folders that are read-only, missing
// or vanish while the program runs. Every case checks that the program goes
// on (no crash, no toolkit critical or warning, an answer within 5 s), shows
// the message it should with its exact title and text, and changes or loses
// no file that it should not.
//
// Two small helpers are built from source on first use: a drag source, so
// that drops arrive through the window system as from any other program, and
// a preload library that writes the text of every message box to a file,
// since a message box's text cannot be read from outside.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "E2eSupport.h"
#include "app/BuildVariant.h"
#include "library/core/IndexRowMarkup.h"
#include "support/TempDirectory.h"
#include "toolkit/core/UriList.h"

extern char** environ;

namespace {

using e2e::kMainWindow;
using e2e::kPreferencesName;
using e2e::kSettingsWindow;

namespace fs = std::filesystem;

constexpr const char* kProgramTitle = "Linux OX-ZUR-Erirada-Vuvazo";
constexpr const char* kErrorTitle = "Linux OX-ZUR-Erirada-Vuvazo-Error";
constexpr const char* kMessageBox = "^Linux OX-ZUR-Erirada-Vuvazo(-Error|Error)?$";
constexpr const char* kInfoWindow = "^About: Current database & file$";
constexpr const char* kIniNotUpdated = "*.ini-file couldn't be updatet!";
constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

// The program answers every action within this time.
constexpr int kAnswerMs = 5000;
// How long a check that nothing happens waits for it to happen.
constexpr int kQuietMs = 700;

// Places of controls; a negative x counts from the main window's right edge.
constexpr int kToolRowY = 17;
constexpr int kSearchFieldX = 27 + 60;
constexpr int kCopyButtonX = -146 + 15;
constexpr int kSettingsButtonX = -114 + 15;
constexpr int kInfoButtonX = -40 + 15;
constexpr int kApplyX = 449 + 87;
constexpr int kApplyY = 128 + 18;
constexpr int kSaveX = 475;
constexpr int kSaveY = 488;
constexpr int kLibraryFolderImageX = 7 + 8;
constexpr int kLibraryFolderImageY = 26 + 8;
constexpr int kCopyImageX = 7 + 8;
constexpr int kCopyImageY = 186 + 8;
// A point inside the code view of a main window of the default size.
constexpr int kCodeViewX = 600;
constexpr int kCodeViewY = 330;

// Info menu items, counted from the top; the separator is skipped.
constexpr int kInfoAboutDatabase = 2;
constexpr int kInfoOpenCode = 4;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

void Pause(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Polls a condition until it holds or the time is up.
template <typename Condition>
bool Eventually(Condition condition, int timeoutMs = kAnswerMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Pause(25);
  }
}

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Read(const std::string& path) {
  return TempDirectory::Read(path);
}

// Every file below a folder with its bytes (or its link target), so that a
// check can tell whether anything in it changed.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(folder, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    const std::string path = it->path().string();
    if (it->is_symlink()) {
      files[path] = "-> " + fs::read_symlink(it->path(), error).string();
    } else if (it->is_regular_file()) {
      files[path] = Read(path);
    } else {
      files[path] = "<folder or other>";
    }
  }
  return files;
}

// Files anywhere below root whose name begins with "pwned": what an injected
// command of the cases below would have made.
std::vector<std::string> InjectedFiles(const std::string& root) {
  std::vector<std::string> found;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(root, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (it->path().filename().string().starts_with("pwned")) found.push_back(it->path().string());
  }
  return found;
}

// Root ignores permission bits; cases that need them run the program as the
// unprivileged user "nobody" when the tests run as root.
bool RunsAsRoot() {
  return ::geteuid() == 0;
}

constexpr const char* kSetpriv = "/usr/bin/setpriv";

// Gives the staged copy to "nobody" and opens its folder to others, so that
// the program started as that user can use it as its own.
void HandOverToNobody(const std::string& root) {
  ::chmod(root.c_str(), 0755);
  [[maybe_unused]] int ignored = ::lchown(root.c_str(), kNobody, kNoGroup);
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(root, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    ignored = ::lchown(it->path().c_str(), kNobody, kNoGroup);
  }
}

// --- Helpers built beside the tests -------------------------------------------

// The message recorder (tests/support/MessageRecorder.c), preloaded into the
// program so that the texts of its message boxes can be read.
std::string MessageRecorder() {
  return ORVEX_MESSAGE_RECORDER;
}

// The drag source window (tests/support/DragSource.c).
std::string DragSource() {
  return ORVEX_DRAG_SOURCE;
}

// --- Outside programs --------------------------------------------------------

// A shell script that records the arguments it got, one per line, in
// record. The record appears at once complete: written aside, then renamed.
void WriteRecorder(const std::string& path, const std::string& record) {
  WriteFile(path, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > " +
                      Quote(record + ".part") + " && /bin/mv " + Quote(record + ".part") + " " +
                      Quote(record) + "\n");
  ::chmod(path.c_str(), 0755);
}

// Stand-ins for xdg-open, gnome-open and beep in a folder of the staged copy
// that the program gets as its whole search path, and an editor anywhere.
class OutsidePrograms {
 public:
  explicit OutsidePrograms(const std::string& root)
      : folder_(root + "/outside/bin"), records_(root + "/outside/records") {
    fs::create_directories(records_);
    for (const char* name : {"xdg-open", "gnome-open", "beep"}) {
      WriteRecorder(folder_ + "/" + name, RecordOf(name));
    }
  }

  const std::string& Folder() const { return folder_; }

  // Adds a recorder at any path, recording under name.
  void AddAt(const std::string& path, const std::string& name) const {
    WriteRecorder(path, RecordOf(name));
  }

  // The arguments of the last run of name, waiting for it up to the time-out.
  std::optional<std::vector<std::string>> Arguments(const std::string& name,
                                                    int timeoutMs = kAnswerMs) const {
    if (!Eventually([&] { return fs::exists(RecordOf(name)); }, timeoutMs)) return std::nullopt;
    std::vector<std::string> lines;
    std::istringstream text(Read(RecordOf(name)));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
  }

  bool Ran(const std::string& name, int waitMs = kQuietMs) const {
    return Arguments(name, waitMs).has_value();
  }

  // Forgets the runs so far.
  void Clear() const {
    std::error_code error;
    for (const auto& record : fs::directory_iterator(records_, error)) fs::remove(record, error);
  }

 private:
  std::string RecordOf(const std::string& name) const { return records_ + "/" + name + ".args"; }

  std::string folder_;
  std::string records_;
};

// --- Test data ---------------------------------------------------------------

struct DatabaseEntry {
  std::string title;
  std::string file;
};

// A small database: a root, one category and the entries. Only the entry
// titles hold digits, so typing a digit into the search field selects the
// entry whose title holds it and nothing else on the way.
std::string Database(const std::vector<DatabaseEntry>& entries) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<library Name=\"Hostile\">Hostile test library\n"
      "  <category Name=\"Cases\">Cases of the test\n";
  for (const DatabaseEntry& entry : entries) {
    const std::string title = library::EscapeMarkup(entry.title);
    xml += "    <entry theme_de=\"" + title + "\" theme_en=\"" + title + "\" theme_fr=\"" + title +
           "\" descript_de=\"Eintrag\" descript_en=\"Entry\" descript_fr=\"Entree\" File=\"" +
           library::EscapeMarkup(entry.file) + "\"/>\n";
  }
  return xml + "  </category>\n</library>\n";
}

using Setting = std::pair<std::string, std::string>;

// A preferences file as the program writes it, with the given settings.
std::string Preferences(const std::vector<Setting>& settings) {
  std::string text = std::string(kByteOrderMark) + "\n";
  for (const auto& [key, value] : settings) text += key + "=" + value + "\n";
  return text;
}

std::vector<Setting> OrdinarySettings(const std::string& databasePath,
                                      const std::string& libraryPath,
                                      const std::string& editor = "") {
  return {{"db-path", databasePath}, {"Lib-path", libraryPath}, {"about", "1"},
          {"Language", "0"},         {"SearchHint", "0"},       {"SearchMode", "1"},
          {"CodeMarks", "0"},        {"FontName", "Monospace"}, {"FontSize", "10"},
          {"SavePaths", "1"},        {"SourceInTitle", "1"},    {"SaveWinSetting", "0"},
          {"DyeingNews", "1"},       {"DarkMode", "0"},         {"CodeEditorPath", editor}};
}

// --- One run of the program --------------------------------------------------

// Who runs the program: the tests' own user, or "nobody" when the tests run
// as root, for whom permission bits count.
enum class User { Tester, Nobody };

// The staged program, run in its folder with everything it prints kept in a
// file and the text of its message boxes recorded. Constructing prepares the
// staged copy (for "nobody" too); Start starts the program, so that a test
// may change permissions in between.
class Viewer {
 public:
  // searchPath becomes the program's PATH when it is not empty.
  Viewer(const e2e::StagedCopy& stage, User user = User::Tester, std::string searchPath = "")
      : stage_(stage),
        unprivileged_(user == User::Nobody && RunsAsRoot()),
        searchPath_(std::move(searchPath)),
        output_(stage.Root() + "/viewer-output.txt"),
        messageLog_(stage.Root() + "/viewer-messages.log"),
        preload_(stage.Root() + "/message-recorder.so"),
        home_(stage.Root() + "/home") {
    const std::string recorder = MessageRecorder();
    std::error_code error;
    // The copy lies inside the staged tree, where the program's user may read it.
    prepared_ = !recorder.empty() &&
                fs::copy_file(recorder, preload_, fs::copy_options::overwrite_existing, error);
    fs::create_directories(home_, error);
    if (unprivileged_) HandOverToNobody(stage.Root());
  }
  Viewer(const Viewer&) = delete;
  Viewer& operator=(const Viewer&) = delete;
  ~Viewer() {
    if (pid_ > 0 && !ended_) {
      ::kill(pid_, SIGKILL);
      int status = 0;
      ::waitpid(pid_, &status, 0);
    }
  }

  // Starts the program; false when it could not be started.
  bool Start() {
    if (!prepared_ || pid_ > 0) return false;
    std::vector<std::string> environment;
    const auto replaced = [&](const std::string& entry) {
      const std::string name = entry.substr(0, entry.find('=') + 1);
      for (const char* own : {"LD_PRELOAD=", "ORVEX_MESSAGE_LOG=", "HOME=", "ASAN_OPTIONS="}) {
        if (name == own) return true;
      }
      return name == "PATH=" && !searchPath_.empty();
    };
    std::string asanOptions;
    for (char** entry = environ; *entry; ++entry) {
      const std::string text = *entry;
      if (text.starts_with("ASAN_OPTIONS=")) asanOptions = text.substr(13) + ":";
      if (!replaced(text)) environment.push_back(text);
    }
    environment.push_back("LD_PRELOAD=" + preload_);
    environment.push_back("ORVEX_MESSAGE_LOG=" + messageLog_);
    environment.push_back("HOME=" + home_);
    // The recorder is loaded before a sanitizer runtime; that order is harmless here.
    environment.push_back("ASAN_OPTIONS=" + asanOptions + "verify_asan_link_order=0");
    if (!searchPath_.empty()) environment.push_back("PATH=" + searchPath_);

    std::vector<std::string> arguments;
    if (unprivileged_) {
      arguments = {kSetpriv, "--reuid=" + std::to_string(kNobody),
                   "--regid=" + std::to_string(kNoGroup), "--clear-groups", "--"};
    }
    arguments.push_back(stage_.Program());

    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, stage_.ProgramDirectory().c_str());
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0666);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid_ > 0;
  }

  pid_t Pid() const { return pid_; }
  unsigned long Main() const { return main_; }

  // The main window, waited for as long as a start may take.
  unsigned long WaitForMain() {
    main_ = e2e::WaitForWindowOf(pid_, kMainWindow, 20000);
    return main_;
  }

  std::optional<int> WaitForExit(int timeoutMs = kAnswerMs) {
    const bool done = Eventually(
        [&] {
          int status = 0;
          if (::waitpid(pid_, &status, WNOHANG) != pid_) return false;
          status_ = status;
          return true;
        },
        timeoutMs);
    ended_ = ended_ || done;
    return done ? status_ : std::nullopt;
  }

  // What the program printed, for the checks and failure reports.
  std::string Printed() const { return Read(output_); }

  // No toolkit critical or warning was printed.
  void ExpectQuietOutput() const {
    const std::string printed = Printed();
    EXPECT_EQ(printed.find("-CRITICAL **"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("-WARNING **"), std::string::npos) << printed;
  }

  // The texts of the message boxes shown so far.
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    const std::string log = Read(messageLog_);
    std::size_t start = 0;
    for (std::size_t end; (end = log.find('\x1e', start)) != std::string::npos; start = end + 1) {
      messages.push_back(log.substr(start, end - start));
    }
    return messages;
  }

  std::string Title(unsigned long window) const { return e2e::WindowTitle(window); }
  std::string Title() const { return Title(main_); }

  bool WaitForTitle(const std::string& title) const {
    return Eventually([&] { return Title() == title; });
  }

  // A message box of the program, not the main window, which may carry the
  // same title; 0 when none is shown within the time-out.
  unsigned long FindMessageBox(int timeoutMs) const {
    return e2e::WaitForWindowBesides(pid_, kMessageBox, main_, timeoutMs);
  }

  // A message box with this title and text appears within the answer time;
  // it is closed with Return.
  void ExpectMessage(const std::string& title, const std::string& text) {
    const unsigned long box = FindMessageBox(kAnswerMs);
    ASSERT_NE(box, 0u) << "no message box; expected: " << text;
    EXPECT_EQ(Title(box), title);
    ASSERT_TRUE(Eventually([&] { return Messages().size() > seenMessages_; }))
        << "the box's text was not recorded";
    // A wrong text may be very long; the report shows its start.
    const std::string shown = Messages()[seenMessages_];
    EXPECT_TRUE(shown == text) << "expected: " << text << "\nshown (" << shown.size()
                               << " bytes): " << shown.substr(0, 400);
    seenMessages_ = Messages().size();
    ASSERT_TRUE(e2e::SendKeys(box, "Return"));
    EXPECT_TRUE(e2e::WaitUntilHidden(box));
  }

  // No message box appears in a short while.
  void ExpectNoMessage() {
    EXPECT_EQ(FindMessageBox(kQuietMs), 0u);
    const std::vector<std::string> messages = Messages();
    for (std::size_t i = seenMessages_; i < messages.size(); ++i) {
      ADD_FAILURE() << "unexpected message: " << messages[i].substr(0, 400);
    }
    seenMessages_ = messages.size();
  }

  // Opens the settings window with its button.
  unsigned long OpenSettings() const {
    if (!e2e::ClickAt(main_, kSettingsButtonX, kToolRowY)) return 0;
    return e2e::WaitForWindowOf(pid_, kSettingsWindow, kAnswerMs);
  }

  // Chooses the n-th item of the popup menu of the tool-row button at x.
  bool ChooseMenuItem(int buttonX, int n) const {
    if (!e2e::OpenPopupAt(main_, buttonX, kToolRowY)) return false;
    std::string keys;
    for (int i = 0; i < n; ++i) keys += "Down ";
    return e2e::PressKeys(keys + "Return");
  }

  // Types a term into the emptied search field; the search selects the first
  // matching row and the program shows its entry.
  bool Search(const std::string& term) const {
    return e2e::ClickAt(main_, kSearchFieldX, kToolRowY) && e2e::PressKeys("Delete") &&
           e2e::TypeText(main_, term);
  }

  // The clipboard's text without trailing line feeds.
  std::string Clipboard() const {
    std::string text = e2e::ClipboardText();
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }

  // Escape in the main window ends the program at once with status 0, and
  // nothing was printed that tells of a fault.
  void EndCleanly() {
    ASSERT_TRUE(e2e::SendKeys(main_, "Escape"));
    const std::optional<int> status = WaitForExit();
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    EXPECT_TRUE(WIFEXITED(*status)) << "status " << *status;
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    ExpectQuietOutput();
  }

 private:
  const e2e::StagedCopy& stage_;
  bool unprivileged_;
  std::string searchPath_;
  std::string output_;
  std::string messageLog_;
  std::string preload_;
  std::string home_;
  bool prepared_ = false;
  pid_t pid_ = -1;
  bool ended_ = false;
  std::optional<int> status_;
  unsigned long main_ = 0;
  std::size_t seenMessages_ = 0;
};

// A window's place on the screen and its size.
struct Geometry {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

Geometry GeometryOf(unsigned long window) {
  const std::string shell =
      e2e::Output("xdotool getwindowgeometry --shell " + std::to_string(window));
  const auto value = [&](const std::string& key) {
    const std::size_t at = shell.find("\n" + key + "=");
    return at == std::string::npos ? 0 : std::atoi(shell.c_str() + at + key.size() + 2);
  };
  return {value("X"), value("Y"), value("WIDTH"), value("HEIGHT")};
}

// Puts a path's permission bits back at the end of a test, so that the
// staged copy can be removed also by a user other than root.
class PermissionsBack {
 public:
  explicit PermissionsBack(std::string path) : path_(std::move(path)) {
    std::error_code ignored;
    permissions_ = fs::status(path_, ignored).permissions();
  }
  PermissionsBack(const PermissionsBack&) = delete;
  PermissionsBack& operator=(const PermissionsBack&) = delete;
  ~PermissionsBack() {
    std::error_code ignored;
    if (permissions_ != fs::perms::unknown) fs::permissions(path_, permissions_, ignored);
  }

 private:
  std::string path_;
  fs::perms permissions_ = fs::perms::unknown;
};

// --- Preferences at the limits of their numbers ------------------------------

struct LimitCase {
  const char* name;
  const char* value;      // written for every integer key
  const char* saturated;  // what the value reads as
  const char* fontSize;   // the font size it gives
};

constexpr const char* kIntegerKeys[] = {
    "about",     "Language",      "SearchHint",     "SearchMode", "CodeMarks", "FontSize",
    "SavePaths", "SourceInTitle", "SaveWinSetting", "DyeingNews", "DarkMode",  "WinX",
    "WinY",      "WinWidth",      "WinHight",       "Splitter"};

// Keys that a Save leaves as they were read: shown in no control, in a box
// that shows no item for them, or in a check box that is ticked for them.
constexpr const char* kKeptKeys[] = {"about",         "SearchHint", "SearchMode", "CodeMarks",
                                     "SourceInTitle", "DyeingNews", "DarkMode"};

void PrintTo(const LimitCase& limit, std::ostream* out) {
  *out << limit.name;
}

class IntegerLimits : public testing::TestWithParam<LimitCase> {};

TEST_P(IntegerLimits, StartKeepTheFileAndSaveWithinTheLimits) {
  const LimitCase& limit = GetParam();
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  std::vector<Setting> settings = {{"db-path", "../OX-LinuxAPI-Toc.xml"}, {"Lib-path", "../"}};
  for (const char* key : kIntegerKeys) settings.emplace_back(key, limit.value);
  settings.emplace_back("FontName", "Monospace");
  settings.emplace_back("CodeEditorPath", "");
  const std::string preferencesPath = stage.ProgramDirectory() + kPreferencesName;
  const std::string stored = Preferences(settings);
  WriteFile(preferencesPath, stored);

  Viewer viewer(stage);
  ASSERT_TRUE(viewer.Start());
  ASSERT_NE(viewer.WaitForMain(), 0u) << viewer.Printed();
  const Geometry size = GeometryOf(viewer.Main());
  EXPECT_GE(size.width, 800);
  EXPECT_GE(size.height, 400);
  EXPECT_LE(size.width, 1280);
  EXPECT_LE(size.height, 1024);
  // Reading never writes: not at the start and not while the program runs.
  Pause(kQuietMs);
  EXPECT_EQ(Read(preferencesPath), stored);

  const unsigned long settingsWindow = viewer.OpenSettings();
  ASSERT_NE(settingsWindow, 0u);
  ASSERT_TRUE(e2e::ClickAt(settingsWindow, kSaveX, kSaveY));
  EXPECT_TRUE(e2e::WaitUntilHidden(settingsWindow));
  ASSERT_TRUE(Eventually([&] { return Read(preferencesPath) != stored; }))
      << "Save did not write the file";
  viewer.ExpectNoMessage();

  const std::string saved = Read(preferencesPath);
  EXPECT_TRUE(saved.starts_with(std::string(kByteOrderMark) + "\n"));
  std::map<std::string, std::string> values = e2e::SettingsOf(saved);
  for (const char* key : kIntegerKeys) EXPECT_EQ(values.count(key), 1u) << key << " was lost";
  EXPECT_EQ(values["FontSize"], limit.fontSize);
  // A stored language that names none reads as German, the built-in one.
  EXPECT_EQ(values["Language"], "0");
  for (const char* key : kKeptKeys) EXPECT_EQ(values[key], limit.saturated) << key;
  // The box was ticked for a value other than 0, so the geometry was saved,
  // from a window of at least its minimum size.
  EXPECT_EQ(values["SaveWinSetting"], "1");
  EXPECT_GE(std::atoll(values["WinWidth"].c_str()), 800);
  EXPECT_GE(std::atoll(values["WinHight"].c_str()), 400);
  EXPECT_EQ(values["db-path"], "../OX-LinuxAPI-Toc.xml");
  EXPECT_EQ(values["Lib-path"], "../");
  viewer.EndCleanly();
}

INSTANTIATE_TEST_SUITE_P(
    HostileEnvironment, IntegerLimits,
    testing::Values(
        // How values are read at and past the limits is the preferences
        // reader's own test; here the window and Save meet the saturated ends.
        LimitCase{"OneAboveLargest", "9223372036854775808", "9223372036854775807", "24"},
        LimitCase{"FortyDigitsBelowSmallest", "-9999999999999999999999999999999999999999",
                  "-9223372036854775808", "6"}),
    [](const testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

// --- Preferences that cannot be written --------------------------------------

enum class Obstacle { ReadOnlyProgramFolder, ReadOnlyPreferencesFile, UnreadablePreferencesFile };

struct ObstacleCase {
  const char* name;
  Obstacle obstacle;
};

void PrintTo(const ObstacleCase& obstacle, std::ostream* out) {
  *out << obstacle.name;
}

class UnwritablePreferences : public testing::TestWithParam<ObstacleCase> {};

TEST_P(UnwritablePreferences, SaySoAndLeaveTheFileAsItWas) {
  const Obstacle obstacle = GetParam().obstacle;
  if (RunsAsRoot() && !fs::exists(kSetpriv)) GTEST_SKIP() << "no setpriv to drop root's rights";
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  const std::string folder = stage.ProgramDirectory();
  const std::string preferencesPath = folder + kPreferencesName;
  Viewer viewer(stage, User::Nobody);
  // Permissions are set after the hand-over of the copy to its user.
  const PermissionsBack folderBack(folder);
  const PermissionsBack fileBack(preferencesPath);
  switch (obstacle) {
    case Obstacle::ReadOnlyProgramFolder:
      ::chmod(folder.c_str(), 0555);
      break;
    case Obstacle::ReadOnlyPreferencesFile:
      ::chmod(preferencesPath.c_str(), 0444);
      break;
    case Obstacle::UnreadablePreferencesFile:
      ::chmod(preferencesPath.c_str(), 0000);
      break;
  }
  // Nothing of the program folder may change, no temporary file stay behind.
  const std::map<std::string, std::string> before = Snapshot(folder);
  ASSERT_TRUE(viewer.Start());

  if (obstacle == Obstacle::UnreadablePreferencesFile) {
    // Unread, the file gives the defaults: the database is looked for in the
    // program folder, which is stored at once; neither works out.
    viewer.ExpectMessage(kProgramTitle, kIniNotUpdated);
    viewer.ExpectMessage(kErrorTitle,
                         "The database '" + folder + "OX-LinuxAPI-Toc.xml' cannot be opened.");
    const std::optional<int> status = viewer.WaitForExit();
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
    viewer.ExpectQuietOutput();
  } else {
    ASSERT_NE(viewer.WaitForMain(), 0u) << viewer.Printed();
    const unsigned long settingsWindow = viewer.OpenSettings();
    ASSERT_NE(settingsWindow, 0u);
    ASSERT_TRUE(e2e::ClickAt(settingsWindow, kSaveX, kSaveY));
    viewer.ExpectMessage(kProgramTitle, kIniNotUpdated);
    EXPECT_TRUE(e2e::WaitUntilHidden(settingsWindow));
    viewer.EndCleanly();
  }
  EXPECT_EQ(Snapshot(folder), before);
}

INSTANTIATE_TEST_SUITE_P(
    HostileEnvironment, UnwritablePreferences,
    testing::Values(ObstacleCase{"ReadOnlyProgramFolder", Obstacle::ReadOnlyProgramFolder},
                    ObstacleCase{"ReadOnlyPreferencesFile", Obstacle::ReadOnlyPreferencesFile},
                    ObstacleCase{"UnreadablePreferencesFile", Obstacle::UnreadablePreferencesFile}),
    [](const testing::TestParamInfo<ObstacleCase>& info) { return std::string(info.param.name); });

// --- Names full of shell syntax handed to outside programs -------------------

struct HostileName {
  const char* name;
  const char* file;      // the entry's file value, below the library folder
  const char* argument;  // what the outside program must get, relative to the program folder
};

// With an empty library path the files lie below the program folder and
// their paths are relative, so that one may begin with "-".
constexpr HostileName kHostileNames[] = {
    {"BlanksAndQuotes", "Quoted 'single' \"double\"/with  two blanks.ox",
     "Quoted 'single' \"double\"/with  two blanks.ox"},
    {"CommandSubstitution",
     "Quoted 'single' \"double\"/$(touch pwned-dollar) `touch pwned-tick`.ox",
     "Quoted 'single' \"double\"/$(touch pwned-dollar) `touch pwned-tick`.ox"},
    {"ShellOperators", "/;touch pwned-semi & touch pwned-amp | * ? [a].ox",
     ";touch pwned-semi & touch pwned-amp | * ? [a].ox"},
    // Given as it is, the name would be read as an option.
    {"LeadingDash", "-n --version.ox", "./-n --version.ox"},
};

TEST(HostileEnvironment, HostileNamesReachTheEditorAsOneArgumentWithoutAShell) {
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  const std::string folder = stage.ProgramDirectory();
  OutsidePrograms outside(stage.Root());
  // The editor itself lies in a folder whose name a shell would run.
  const std::string editor =
      stage.Root() + "/Editor 'q' \"dq\" $(touch pwned-editor) `touch pwned-editor2`/-editor";
  outside.AddAt(editor, "editor");
  std::vector<DatabaseEntry> entries;
  int number = 1;
  for (const HostileName& name : kHostileNames) {
    entries.push_back({"Fall " + std::to_string(number++), name.file});
    WriteFile(folder + std::string(name.argument), "Procedure Hostile()\n");
  }
  WriteFile(folder + "Hostile.xml", Database(entries));
  WriteFile(folder + kPreferencesName, Preferences(OrdinarySettings("Hostile.xml", "", editor)));

  Viewer viewer(stage, User::Tester, outside.Folder());
  ASSERT_TRUE(viewer.Start());
  ASSERT_NE(viewer.WaitForMain(), 0u) << viewer.Printed();
  number = 1;
  for (const HostileName& name : kHostileNames) {
    SCOPED_TRACE(name.name);
    outside.Clear();
    ASSERT_TRUE(viewer.Search(std::to_string(number++)));
    ASSERT_TRUE(viewer.WaitForTitle(std::string(kProgramTitle) + " ~ " + name.file))
        << viewer.Title();
    ASSERT_TRUE(viewer.ChooseMenuItem(kInfoButtonX, kInfoOpenCode));
    const auto arguments = outside.Arguments("editor");
    ASSERT_TRUE(arguments.has_value()) << "the editor was not started";
    EXPECT_EQ(*arguments, std::vector<std::string>{name.argument});
    EXPECT_TRUE(fs::equivalent(folder + arguments->front(), folder + name.argument));
    EXPECT_FALSE(outside.Ran("xdg-open", 0));
  }
  viewer.ExpectNoMessage();
  viewer.EndCleanly();
  EXPECT_EQ(InjectedFiles(stage.Root()), std::vector<std::string>{});
}

TEST(HostileEnvironment, AHostileLibraryPathReachesTheDesktopOpenerAsOneArgument) {
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  OutsidePrograms outside(stage.Root());
  const std::string library =
      stage.Root() + "/-Library 'q' \"dq\" $(touch pwned-lib) `touch pwned-lib2`; x & y/";
  const std::string file = "Sub folder/$(touch pwned-file).ox";
  WriteFile(library + file, "Procedure Hostile()\n");
  WriteFile(library + "Viewer/ViewerHelp.txt", "Help\n");
  WriteFile(stage.ProgramDirectory() + "Hostile.xml",
            Database({{"Fall 1", file}, {"Hilfe", "/Viewer/ViewerHelp.txt"}}));
  WriteFile(stage.ProgramDirectory() + kPreferencesName,
            Preferences(OrdinarySettings("Hostile.xml", library)));

  Viewer viewer(stage, User::Tester, outside.Folder());
  ASSERT_TRUE(viewer.Start());
  ASSERT_NE(viewer.WaitForMain(), 0u) << viewer.Printed();
  ASSERT_TRUE(viewer.Search("1"));
  ASSERT_TRUE(viewer.WaitForTitle(std::string(kProgramTitle) + " ~ " + file)) << viewer.Title();

  {
    SCOPED_TRACE("the code file with the desktop's default application");
    ASSERT_TRUE(viewer.ChooseMenuItem(kInfoButtonX, kInfoOpenCode));
    EXPECT_EQ(outside.Arguments("xdg-open"), std::vector<std::string>{library + file});
  }
  {
    SCOPED_TRACE("the library folder from the information window");
    outside.Clear();
    ASSERT_TRUE(viewer.ChooseMenuItem(kInfoButtonX, kInfoAboutDatabase));
    const unsigned long info = e2e::WaitForWindowOf(viewer.Pid(), kInfoWindow, kAnswerMs);
    ASSERT_NE(info, 0u);
    ASSERT_TRUE(e2e::ClickAt(info, kLibraryFolderImageX, kLibraryFolderImageY));
    EXPECT_EQ(outside.Arguments("xdg-open"), std::vector<std::string>{library});
    EXPECT_FALSE(outside.Ran("beep", 0));
    ASSERT_TRUE(e2e::SendKeys(info, "Escape"));
    EXPECT_TRUE(e2e::WaitUntilHidden(info));
  }
  if (app::IsAdminBuild()) {
    SCOPED_TRACE("the help file from the admin menu");
    outside.Clear();
    constexpr int kAdminButtonX = 418 + 15;
    constexpr int kEditViewerHelp = 6;
    ASSERT_TRUE(viewer.ChooseMenuItem(kAdminButtonX, kEditViewerHelp));
    EXPECT_EQ(outside.Arguments("xdg-open"),
              std::vector<std::string>{library + "Viewer/ViewerHelp.txt"});
  }
  viewer.ExpectNoMessage();
  viewer.EndCleanly();
  EXPECT_EQ(InjectedFiles(stage.Root()), std::vector<std::string>{});
}

// --- URI lists dropped onto the code view ------------------------------------

// The drag source helper, started on the same display.
class DragSourceWindow {
 public:
  explicit DragSourceWindow(const std::string& payload) : payload_(payload) {
    const std::string program = DragSource();
    if (program.empty()) return;
    std::string name = program;
    std::string argument = payload;
    char* argv[] = {name.data(), argument.data(), nullptr};
    if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, environ) != 0) pid_ = -1;
    if (pid_ > 0) window_ = e2e::WaitForWindowOf(pid_, "^Hostile drag source$", 20000);
  }
  DragSourceWindow(const DragSourceWindow&) = delete;
  DragSourceWindow& operator=(const DragSourceWindow&) = delete;
  ~DragSourceWindow() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      int status = 0;
      ::waitpid(pid_, &status, 0);
    }
  }

  unsigned long Window() const { return window_; }

  std::size_t Deliveries() const {
    const std::string log = Read(payload_ + ".delivered");
    return static_cast<std::size_t>(std::count(log.begin(), log.end(), '\n'));
  }

  // Drags the payload with the left button from this window to a point on
  // the screen and lets it go there; true when the target took the data.
  bool DropAt(const std::string& uriList, int x, int y) const {
    WriteFile(payload_, uriList);
    const std::size_t delivered = Deliveries();
    const Geometry from = GeometryOf(window_);
    const int fromX = from.x + from.width / 2;
    const int fromY = from.y + from.height / 2;
    const auto at = [](int px, int py) {
      return " mousemove " + std::to_string(px) + " " + std::to_string(py);
    };
    // Past the drag threshold first, then over the target in two steps so
    // that it sees the pointer arrive and stay.
    e2e::Run("xdotool" + at(fromX, fromY) + " sleep 0.15 mousedown 1 sleep 0.15" +
             at(fromX + 20, fromY + 20) + " sleep 0.15" + at(x - 10, y - 10) + " sleep 0.2" +
             at(x, y) + " sleep 0.3 mouseup 1");
    return Eventually([&] { return Deliveries() > delivered; });
  }

 private:
  std::string payload_;
  pid_t pid_ = -1;
  unsigned long window_ = 0;
};

struct DropCase {
  const char* name;
  std::string uriList;
  std::string title;    // of the main window afterwards
  std::string message;  // of the message box it shows; empty: none
};

TEST(HostileEnvironment, DroppedUriListsAreShownOrIgnoredAsTheyDeserve) {
  const std::string drag = DragSource();
  ASSERT_FALSE(drag.empty()) << "the drag source helper could not be built";
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  const std::string drops = stage.Root() + "/drops/";
  WriteFile(drops + "per cent%20 name.ox", "Procedure Percent()\n");
  WriteFile(drops + "x%zz.ox", "Procedure Invalid()\n");
  WriteFile(drops + "a.ox", "Procedure A()\n");
  std::string thousand;
  for (int i = 0; i < 1000; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%04d.ox", i);
    WriteFile(drops + "many/" + name, "Procedure Many()\n");
    thousand += toolkit::FileUriFromPath(drops + "many/" + name) + "\r\n";
  }
  ASSERT_EQ(::mkfifo((drops + "pipe.ox").c_str(), 0644), 0);
  const std::string title = std::string(kProgramTitle) + " ~ ";
  const std::string missingTail = "\n\nCheck library-path in settings:\n../";

  // In this order: each missing-file report after the first is a banner in
  // the code view, not a message box.
  const std::vector<DropCase> cases = {
      {"NonFileUris", "http://example.org/a.ox\r\nsmb://host/share/b.ox\r\nmailto:x@y.z\r\n",
       kProgramTitle, ""},
      {"FileOnAnotherHost", "file://elsewhere" + drops + "a.ox\r\n", kProgramTitle, ""},
      {"InvalidPercentEncoding", toolkit::FileUriFromPath(drops) + "x%zz.ox\r\n", kProgramTitle,
       ""},
      {"LineFeedInTheName", toolkit::FileUriFromPath(drops) + "a.ox%0Ab.ox\r\n", kProgramTitle, ""},
      {"PercentEncodedName", toolkit::FileUriFromPath(drops + "per cent%20 name.ox") + "\r\n",
       title + "per cent%20 name.ox", ""},
      {"AThousandFiles", thousand, title + "f0000.ox", ""},
      {"AThousandFilesTheFirstMissing",
       toolkit::FileUriFromPath(drops + "gone.ox") + "\r\n" + thousand, title + "gone.ox",
       "Missing file:\n" + drops + "gone.ox" + missingTail},
      {"MissingFile", toolkit::FileUriFromPath(drops + "missing.ox") + "\n", title + "missing.ox",
       ""},
      {"NamedPipe", toolkit::FileUriFromPath(drops + "pipe.ox") + "\n", title + "pipe.ox", ""},
  };

  Viewer viewer(stage);
  ASSERT_TRUE(viewer.Start());
  ASSERT_NE(viewer.WaitForMain(), 0u) << viewer.Printed();
  ASSERT_TRUE(viewer.WaitForTitle(kProgramTitle));
  DragSourceWindow source(stage.Root() + "/payload");
  ASSERT_NE(source.Window(), 0u);
  // Side by side, so that the drag starts on the source and ends on the code view.
  e2e::Run("xdotool windowmove " + std::to_string(source.Window()) + " 0 0 windowmove " +
           std::to_string(viewer.Main()) + " 300 100");
  Pause(300);

  for (const DropCase& drop : cases) {
    SCOPED_TRACE(drop.name);
    const Geometry main = GeometryOf(viewer.Main());
    ASSERT_TRUE(source.DropAt(drop.uriList, main.x + kCodeViewX, main.y + kCodeViewY))
        << "the program did not take the drop";
    if (drop.message.empty()) {
      viewer.ExpectNoMessage();
    } else {
      viewer.ExpectMessage(kProgramTitle, drop.message);
    }
    EXPECT_TRUE(viewer.WaitForTitle(drop.title)) << viewer.Title();
  }
  viewer.EndCleanly();
}

// --- Database and library folders that vanish while the program runs --------

TEST(HostileEnvironment, VanishedDatabaseAndLibraryFoldersLeaveTheProgramWorking) {
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  OutsidePrograms outside(stage.Root());
  const std::string databaseFolder = stage.Root() + "/database/";
  const std::string library = stage.Root() + "/library/";
  const std::string goneLibrary = stage.Root() + "/library-gone";
  WriteFile(databaseFolder + "Toc.xml",
            Database({{"Fall 1", "Eins.ox"}, {"Fall 2", "Zwei.ox"}, {"Fall 3", "/Drei.ox"}}));
  for (const char* name : {"Eins", "Zwei", "Drei"}) {
    WriteFile(library + name + ".ox", std::string("Procedure ") + name + "()\n");
  }
  const std::string preferencesPath = stage.ProgramDirectory() + kPreferencesName;
  WriteFile(preferencesPath, Preferences(OrdinarySettings(databaseFolder + "Toc.xml", library)));
  const std::string title = std::string(kProgramTitle) + " ~ ";
  const auto missing = [&](const std::string& file) {
    return "Missing file:\n" + file + "\n\nCheck library-path in settings:\n" + library;
  };

  Viewer viewer(stage, User::Tester, outside.Folder());
  ASSERT_TRUE(viewer.Start());
  ASSERT_NE(viewer.WaitForMain(), 0u) << viewer.Printed();
  ASSERT_TRUE(viewer.Search("1"));
  ASSERT_TRUE(viewer.WaitForTitle(title + "Eins.ox")) << viewer.Title();

  fs::rename(library, goneLibrary);
  fs::remove_all(databaseFolder);

  {
    SCOPED_TRACE("copying the code that is still shown");
    ASSERT_TRUE(e2e::ClickAt(viewer.Main(), kCopyButtonX, kToolRowY));
    EXPECT_TRUE(Eventually([&] { return viewer.Clipboard() == "Procedure Eins()"; }))
        << viewer.Clipboard();
  }
  {
    SCOPED_TRACE("the information window's two images");
    ASSERT_TRUE(viewer.ChooseMenuItem(kInfoButtonX, kInfoAboutDatabase));
    const unsigned long info = e2e::WaitForWindowOf(viewer.Pid(), kInfoWindow, kAnswerMs);
    ASSERT_NE(info, 0u);
    ASSERT_TRUE(e2e::ClickAt(info, kCopyImageX, kCopyImageY));
    EXPECT_TRUE(Eventually([&] { return viewer.Clipboard() == library + "Eins.ox"; }))
        << viewer.Clipboard();
    ASSERT_TRUE(e2e::ClickAt(info, kLibraryFolderImageX, kLibraryFolderImageY));
    EXPECT_EQ(outside.Arguments("beep"), (std::vector<std::string>{"-f", "130.8", "-l", "100"}));
    EXPECT_FALSE(outside.Ran("xdg-open", 0));
    ASSERT_TRUE(e2e::SendKeys(info, "Escape"));
    EXPECT_TRUE(e2e::WaitUntilHidden(info));
  }
  {
    SCOPED_TRACE("selecting entries whose files are gone");
    ASSERT_TRUE(viewer.Search("2"));
    viewer.ExpectMessage(kProgramTitle, missing("Zwei.ox"));
    EXPECT_TRUE(viewer.WaitForTitle(title + "Zwei.ox")) << viewer.Title();
    ASSERT_TRUE(viewer.Search("3"));
    EXPECT_TRUE(viewer.WaitForTitle(title + "/Drei.ox")) << viewer.Title();
    viewer.ExpectNoMessage();
    outside.Clear();
    ASSERT_TRUE(viewer.ChooseMenuItem(kInfoButtonX, kInfoOpenCode));
    EXPECT_FALSE(outside.Ran("xdg-open"));
  }
  {
    SCOPED_TRACE("reloading from the vanished database keeps the index");
    const unsigned long settingsWindow = viewer.OpenSettings();
    ASSERT_NE(settingsWindow, 0u);
    ASSERT_TRUE(e2e::ClickAt(settingsWindow, kApplyX, kApplyY));
    EXPECT_TRUE(viewer.WaitForTitle(kProgramTitle));
    ASSERT_TRUE(e2e::SendKeys(settingsWindow, "Escape"));
    EXPECT_TRUE(e2e::WaitUntilHidden(settingsWindow));
    // The reload re-arms the message for a missing file.
    ASSERT_TRUE(viewer.Search("2"));
    viewer.ExpectMessage(kProgramTitle, missing("Zwei.ox"));
    EXPECT_TRUE(viewer.WaitForTitle(title + "Zwei.ox")) << viewer.Title();
  }
  {
    SCOPED_TRACE("saving the settings keeps the paths as they are shown");
    const std::string before = Read(preferencesPath);
    const unsigned long settingsWindow = viewer.OpenSettings();
    ASSERT_NE(settingsWindow, 0u);
    ASSERT_TRUE(e2e::ClickAt(settingsWindow, kSaveX, kSaveY));
    EXPECT_TRUE(e2e::WaitUntilHidden(settingsWindow));
    viewer.ExpectNoMessage();
    EXPECT_EQ(Read(preferencesPath), before);
  }
  {
    SCOPED_TRACE("the library back in its place");
    fs::rename(goneLibrary, library);
    ASSERT_TRUE(viewer.Search("1"));
    EXPECT_TRUE(viewer.WaitForTitle(title + "Eins.ox")) << viewer.Title();
    ASSERT_TRUE(e2e::ClickAt(viewer.Main(), kCopyButtonX, kToolRowY));
    EXPECT_TRUE(Eventually([&] { return viewer.Clipboard() == "Procedure Eins()"; }))
        << viewer.Clipboard();
    viewer.ExpectNoMessage();
  }
  viewer.EndCleanly();
}

// --- Export folders that cannot take the exports (admin variant) -------------

enum class ExportObstacle { ReadOnlyFolder, MissingFolder, FullDisk };

struct ExportObstacleCase {
  const char* name;
  ExportObstacle obstacle;
};

struct ExportItem {
  int item;             // in the admin menu
  const char* file;     // in the export folder
  const char* failure;  // the message before the path
};

// The web page is the first; it has no message of its own when its file
// cannot be created at all, only when writing it fails.
constexpr ExportItem kExportItems[] = {
    {1, "OX-LinuxAPI-Lib.html", "Couldn't create\n"},
    {2, "ForumPosting.txt", "Couldn't create\n"},
    {3, "ForumPosting.txt", "Couldn't create\n"},
    {4, "Filelist.txt", "Couldn't create\n"},
    {5, "Protocoll.txt", "Couldn't create Protokoll\n"},
};

void PrintTo(const ExportObstacleCase& obstacle, std::ostream* out) {
  *out << obstacle.name;
}

class UnwritableExports : public testing::TestWithParam<ExportObstacleCase> {};

TEST_P(UnwritableExports, EachExportSaysItFailedAndNoneReportsSuccess) {
  const ExportObstacle obstacle = GetParam().obstacle;
  if (obstacle == ExportObstacle::FullDisk && !fs::exists("/dev/full")) {
    GTEST_SKIP() << "no /dev/full to stand for a full disk";
  }
  if (obstacle == ExportObstacle::ReadOnlyFolder && RunsAsRoot() && !fs::exists(kSetpriv)) {
    GTEST_SKIP() << "no setpriv to drop root's rights";
  }
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  const std::string exports = stage.Root() + "/Export";
  for (const ExportItem& item : kExportItems) fs::remove(exports + "/" + item.file);
  Viewer viewer(stage, obstacle == ExportObstacle::ReadOnlyFolder ? User::Nobody : User::Tester);
  const PermissionsBack exportsBack(exports);
  switch (obstacle) {
    case ExportObstacle::ReadOnlyFolder:
      ::chmod(exports.c_str(), 0555);
      break;
    case ExportObstacle::MissingFolder:
      fs::remove_all(exports);
      break;
    case ExportObstacle::FullDisk:
      for (const ExportItem& item : kExportItems) {
        std::error_code error;
        fs::create_symlink("/dev/full", exports + "/" + item.file, error);
      }
      break;
  }
  const std::map<std::string, std::string> before = Snapshot(stage.Root() + "/Templates");
  const std::map<std::string, std::string> exportsBefore = Snapshot(exports);
  ASSERT_TRUE(viewer.Start());
  ASSERT_NE(viewer.WaitForMain(), 0u) << viewer.Printed();

  constexpr int kAdminButtonX = 418 + 15;
  for (const ExportItem& item : kExportItems) {
    SCOPED_TRACE(item.file);
    ASSERT_TRUE(viewer.ChooseMenuItem(kAdminButtonX, item.item));
    if (item.item == 1 && obstacle != ExportObstacle::FullDisk) {
      viewer.ExpectNoMessage();
    } else {
      viewer.ExpectMessage(kProgramTitle, item.failure + std::string("../../Export/") + item.file);
    }
  }
  viewer.EndCleanly();
  EXPECT_EQ(Snapshot(stage.Root() + "/Templates"), before) << "templates changed";
  EXPECT_EQ(Snapshot(exports), exportsBefore);
  EXPECT_EQ(fs::exists(exports), obstacle != ExportObstacle::MissingFolder);
}

// Only the admin variant has the exports; the other one has no such cases.
std::vector<ExportObstacleCase> ExportObstacleCases() {
  if (!app::IsAdminBuild()) return {};
  return {{"ReadOnlyFolder", ExportObstacle::ReadOnlyFolder},
          {"MissingFolder", ExportObstacle::MissingFolder},
          {"FullDisk", ExportObstacle::FullDisk}};
}

INSTANTIATE_TEST_SUITE_P(HostileEnvironment, UnwritableExports,
                         testing::ValuesIn(ExportObstacleCases()),
                         [](const testing::TestParamInfo<ExportObstacleCase>& info) {
                           return std::string(info.param.name);
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(UnwritableExports);

}  // namespace

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
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "E2eSupport.h"
#include "app/BuildVariant.h"
#include "library/core/IndexRowMarkup.h"
#include "support/StubPrograms.h"
#include "support/TempDirectory.h"
#include "toolkit/core/UriList.h"

namespace {

using e2e::Eventually;
using e2e::Geometry;
using e2e::GeometryOf;
using e2e::kAdminButtonX;
using e2e::kCopyButtonX;
using e2e::kInfoButtonX;
using e2e::kMainWindow;
using e2e::kPreferencesName;
using e2e::kToolRowY;
using e2e::Pause;
using e2e::WriteFile;

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

// Places of controls of the information window.
constexpr int kLibraryFolderImageX = 7 + 8;
constexpr int kLibraryFolderImageY = 26 + 8;
// A point inside the code view of a main window of the default size.
constexpr int kCodeViewX = 600;
constexpr int kCodeViewY = 330;

// Info menu items, counted from the top; the separator is skipped.
constexpr int kInfoAboutDatabase = 2;
constexpr int kInfoOpenCode = 4;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

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
// The staged program, run in its folder with what it prints on standard
// error kept in a file and the text of its message boxes recorded.
// Constructing prepares the staged copy (for "nobody" too); Start starts the
// program, so that a test may change permissions in between.
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
    // The message recorder (tests/support/MessageRecorder.c), preloaded so
    // that the texts of the message boxes can be read. The copy lies inside
    // the staged tree, where the program's user may read it.
    const std::string recorder = ORVEX_MESSAGE_RECORDER;
    std::error_code error;
    prepared_ = !recorder.empty() &&
                fs::copy_file(recorder, preload_, fs::copy_options::overwrite_existing, error);
    fs::create_directories(home_, error);
    if (unprivileged_) HandOverToNobody(stage.Root());
  }

  // Starts the program; false when it could not be started.
  bool Start() {
    if (!prepared_ || program_) return false;
    const char* asanOptions = std::getenv("ASAN_OPTIONS");
    e2e::StartOptions options;
    // The recorder is loaded before a sanitizer runtime; that order is harmless here.
    options.environment = {
        "LD_PRELOAD=" + preload_, "ORVEX_MESSAGE_LOG=" + messageLog_, "HOME=" + home_,
        "ASAN_OPTIONS=" + (asanOptions ? std::string(asanOptions) + ":" : std::string()) +
            "verify_asan_link_order=0"};
    if (!searchPath_.empty()) options.environment.push_back("PATH=" + searchPath_);
    options.standardErrorFile = output_;
    if (unprivileged_) {
      options.launcher = {kSetpriv, "--reuid=" + std::to_string(kNobody),
                          "--regid=" + std::to_string(kNoGroup), "--clear-groups", "--"};
    }
    program_ =
        std::make_unique<e2e::RunningProgram>(stage_.Program(), stage_.ProgramDirectory(), options);
    return program_->Pid() > 0;
  }

  pid_t Pid() const { return program_->Pid(); }
  unsigned long Main() const { return main_; }

  // The main window, waited for as long as a start may take.
  unsigned long WaitForMain() {
    main_ = e2e::WaitForWindowOf(Pid(), kMainWindow, 20000);
    return main_;
  }

  e2e::RunningProgram& Program() const { return *program_; }

  // What the program printed, for the checks and failure reports.
  std::string Printed() const { return Read(output_); }

  // No toolkit critical or warning was printed.
  void ExpectQuietOutput() const { EXPECT_EQ(e2e::ToolkitComplaints(Printed()), ""); }

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
    return Eventually([&] { return Title() == title; }, kAnswerMs);
  }

  // A message box of the program, not the main window, which may carry the
  // same title; 0 when none is shown within the time-out.
  unsigned long FindMessageBox(int timeoutMs) const {
    return e2e::WaitForWindowBesides(Pid(), kMessageBox, main_, timeoutMs);
  }

  // A message box with this title and text appears within the answer time;
  // it is closed with Return.
  void ExpectMessage(const std::string& title, const std::string& text) {
    const unsigned long box = FindMessageBox(kAnswerMs);
    ASSERT_NE(box, 0u) << "no message box; expected: " << text;
    EXPECT_EQ(Title(box), title);
    ASSERT_TRUE(Eventually([&] { return Messages().size() > seenMessages_; }, kAnswerMs))
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

  unsigned long OpenSettings() const { return e2e::OpenSettingsOf(Pid(), main_); }
  bool ChooseMenuItem(int buttonX, int n) const { return e2e::ChooseMenuItemOf(main_, buttonX, n); }

  // Types a term into the emptied search field; the search selects the first
  // matching row and the program shows its entry.
  bool Search(const std::string& term) const {
    return e2e::ClickAt(main_, e2e::kSearchFieldX, kToolRowY) && e2e::PressKeys("Delete") &&
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
    e2e::ExpectOrderlyEnd(*program_, kAnswerMs);
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
  std::unique_ptr<e2e::RunningProgram> program_;
  unsigned long main_ = 0;
  std::size_t seenMessages_ = 0;
};

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
  ASSERT_TRUE(e2e::ClickAt(settingsWindow, e2e::kSaveButtonX, e2e::kSaveButtonY));
  EXPECT_TRUE(e2e::WaitUntilHidden(settingsWindow));
  ASSERT_TRUE(Eventually([&] { return Read(preferencesPath) != stored; }, kAnswerMs))
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
    e2e::ExpectOrderlyEnd(viewer.Program(), kAnswerMs);
    viewer.ExpectQuietOutput();
  } else {
    ASSERT_NE(viewer.WaitForMain(), 0u) << viewer.Printed();
    const unsigned long settingsWindow = viewer.OpenSettings();
    ASSERT_NE(settingsWindow, 0u);
    ASSERT_TRUE(e2e::ClickAt(settingsWindow, e2e::kSaveButtonX, e2e::kSaveButtonY));
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
  StubPrograms outside({"xdg-open", "gnome-open", "beep"}, false);
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
  StubPrograms outside({"xdg-open", "gnome-open", "beep"}, false);
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

// Writes the URI list for the drag source (tests/support/DragSource.c) to
// hand out and drags it onto the code view; true when the program took it.
bool DropOnCodeView(const e2e::HelperWindow& source, const std::string& payload, unsigned long main,
                    const std::string& uriList) {
  WriteFile(payload, uriList);
  const auto deliveries = [&] {
    const std::string log = Read(payload + ".delivered");
    return std::count(log.begin(), log.end(), '\n');
  };
  const auto before = deliveries();
  e2e::DragBetween(source.Window(), 80, 60, main, kCodeViewX, kCodeViewY);
  return Eventually([&] { return deliveries() > before; }, kAnswerMs);
}

struct DropCase {
  const char* name;
  std::string uriList;
  std::string title;    // of the main window afterwards
  std::string message;  // of the message box it shows; empty: none
};

TEST(HostileEnvironment, DroppedUriListsAreShownOrIgnoredAsTheyDeserve) {
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
  const std::string payload = stage.Root() + "/payload";
  e2e::HelperWindow source(ORVEX_DRAG_SOURCE, payload, "^Hostile drag source$");
  ASSERT_NE(source.Window(), 0u) << "the drag source did not open";
  // Side by side, so that the drag starts on the source and ends on the code view.
  ASSERT_TRUE(e2e::PlaceWindow(source.Window(), 0, 0));
  ASSERT_TRUE(e2e::PlaceWindow(viewer.Main(), 300, 100));

  for (const DropCase& drop : cases) {
    SCOPED_TRACE(drop.name);
    ASSERT_TRUE(DropOnCodeView(source, payload, viewer.Main(), drop.uriList))
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
  StubPrograms outside({"xdg-open", "gnome-open", "beep"}, false);
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
    EXPECT_TRUE(Eventually([&] { return viewer.Clipboard() == "Procedure Eins()"; }, kAnswerMs))
        << viewer.Clipboard();
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
    EXPECT_FALSE(outside.Ran("xdg-open", kQuietMs));
  }
  {
    SCOPED_TRACE("reloading from the vanished database keeps the index");
    const unsigned long settingsWindow = viewer.OpenSettings();
    ASSERT_NE(settingsWindow, 0u);
    ASSERT_TRUE(e2e::ClickAt(settingsWindow, e2e::kApplyButtonX, e2e::kApplyButtonY));
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
    ASSERT_TRUE(e2e::ClickAt(settingsWindow, e2e::kSaveButtonX, e2e::kSaveButtonY));
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
    EXPECT_TRUE(Eventually([&] { return viewer.Clipboard() == "Procedure Eins()"; }, kAnswerMs))
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

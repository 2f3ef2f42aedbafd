// Drag and drop between the staged program and other programs on the same
// display, with the real pointer: an index entry dragged out of the main
// window reaches another window as the URI of its code file, and a file
// dragged from another window onto the code view is shown there in place of
// the entry's code until the entry is chosen again.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "E2eSupport.h"
#include "support/TempDirectory.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

using e2e::kPlainMainWindow;

constexpr const char* kProgramTitle = "Linux OX-ZUR-Erirada-Vuvazo";
// How long a check that nothing arrives waits for it.
constexpr int kQuietMs = 1500;

// Places in the main window: a point on the first index row, on the
// description and inside the code view of a window of the default size, and
// the copy button in the tool row (counted from the right edge).
constexpr int kRootRowX = 40;
constexpr int kRootRowY = 45;
constexpr int kDescriptionX = 380;
constexpr int kDescriptionY = 47;
constexpr int kCodeViewX = 600;
constexpr int kCodeViewY = 330;
constexpr int kCopyButtonX = -146 + 15;
constexpr int kToolRowY = 17;
// A point on an index row well right of its icon and inside the tree.
constexpr int kRowGripX = 140;
// Columns of the tree where only the row backgrounds show.
constexpr int kRowProbeX = 330;
constexpr int kTreeTop = 36;
constexpr int kTreeHeight = 520;

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool TitleBecomes(unsigned long window, const std::string& title) {
  return e2e::Eventually([&] { return e2e::WindowTitle(window) == title; });
}

// The clipboard's text after the copy button: the whole code of the view.
std::string CopiedCode(unsigned long main) {
  e2e::Run("printf '' | timeout 10 xclip -selection clipboard >/dev/null 2>&1");
  if (!e2e::ClickAt(main, kCopyButtonX, kToolRowY)) return "<no click>";
  std::string text;
  e2e::Eventually(
      [&] {
        text = e2e::Output("xclip -o -selection clipboard 2>/dev/null");
        return !text.empty();
      },
      5000);
  return text;
}

// The y of the middle of the selected index row, found on a screenshot by
// the selection's blue across the tree; -1 when no row shows as selected.
int SelectedRowY(unsigned long main, const std::string& scratch) {
  const std::string shot = scratch + "/tree.png";
  const std::string pixels = scratch + "/tree.rgb";
  fs::remove(pixels);
  e2e::Run("import -window " + std::to_string(main) + " " + shot + " && convert " + shot +
           " -crop 1x" + std::to_string(kTreeHeight) + "+" + std::to_string(kRowProbeX) + "+" +
           std::to_string(kTreeTop) + " +repage -depth 8 rgb:" + pixels);
  const std::string rgb = TempDirectory::Read(pixels);
  int first = -1;
  int last = -1;
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
    const int red = static_cast<unsigned char>(rgb[i]);
    const int blue = static_cast<unsigned char>(rgb[i + 2]);
    if (blue > 150 && blue > red + 60) {
      const int y = static_cast<int>(i / 3);
      if (first < 0) first = y;
      last = y;
    }
  }
  return first < 0 ? -1 : kTreeTop + (first + last) / 2;
}

// Percent-decodes a URI's path; empty when an escape is broken.
std::string DecodedPath(const std::string& uri) {
  static constexpr const char* kScheme = "file://";
  if (uri.rfind(kScheme, 0) != 0) return {};
  std::string path;
  for (std::size_t i = 7; i < uri.size(); ++i) {
    if (uri[i] != '%') {
      path += uri[i];
      continue;
    }
    if (i + 2 >= uri.size() || !std::isxdigit(static_cast<unsigned char>(uri[i + 1])) ||
        !std::isxdigit(static_cast<unsigned char>(uri[i + 2]))) {
      return {};
    }
    path += static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16));
    i += 2;
  }
  return path;
}

// Only the characters a URI may carry as they are: no blank, no control
// character, nothing outside ASCII.
bool HasOnlyUriCharacters(const std::string& uri) {
  static const std::string kAllowed = "-._~:/?#[]@!$&'()*+,;=%";
  for (const char c : uri) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && kAllowed.find(c) == std::string::npos) {
      return false;
    }
  }
  return true;
}

// One of the helper windows (tests/support), started on the same display
// with one argument and ended with the test.
class HelperWindow {
 public:
  HelperWindow(const std::string& program, const std::string& argument,
               const std::string& titlePattern) {
    std::string name = program;
    std::string value = argument;
    char* argv[] = {name.data(), value.data(), nullptr};
    if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, environ) != 0) pid_ = -1;
    if (pid_ > 0) window_ = e2e::WaitForWindowOf(pid_, titlePattern, 20000);
  }
  HelperWindow(const HelperWindow&) = delete;
  HelperWindow& operator=(const HelperWindow&) = delete;
  ~HelperWindow() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }

  unsigned long Window() const { return window_; }

 private:
  pid_t pid_ = -1;
  unsigned long window_ = 0;
};

// Where the window manager put a window's top left corner on the screen.
// (xwininfo reports it as it is; xdotool's geometry adds the frame twice.)
std::pair<int, int> ScreenPosition(unsigned long window) {
  const std::string info = e2e::Output("xwininfo -id " + std::to_string(window) + " 2>/dev/null");
  const auto value = [&](const std::string& key) {
    const std::size_t at = info.find(key);
    return at == std::string::npos ? -100000 : std::atoi(info.c_str() + at + key.size());
  };
  return {value("Absolute upper-left X:"), value("Absolute upper-left Y:")};
}

// Moves a window and waits until the window manager has put it there.
bool MoveWindow(unsigned long window, int x, int y) {
  e2e::Run("xdotool windowmove " + std::to_string(window) + " " + std::to_string(x) + " " +
           std::to_string(y));
  return e2e::Eventually([&] {
    const auto [nowX, nowY] = ScreenPosition(window);
    return std::abs(nowX - x) < 40 && std::abs(nowY - y) < 60;
  });
}

// Presses the left button at a point of one window, moves past the drag
// threshold in small steps, then over a point of another window in a few
// steps, so that both see the pointer arrive and stay, and lets go there.
void DragBetween(unsigned long from, int fromX, int fromY, unsigned long to, int toX, int toY) {
  const auto at = [](unsigned long window, int x, int y) {
    return " mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " +
           std::to_string(y);
  };
  e2e::Run("xdotool" + at(from, fromX, fromY) +
           " sleep 0.2 mousedown 1 sleep 0.2 mousemove_relative 6 0 sleep 0.1"
           " mousemove_relative 10 0 sleep 0.1 mousemove_relative 16 0 sleep 0.2" +
           at(to, toX - 20, toY - 20) + " sleep 0.25" + at(to, toX - 8, toY - 6) + " sleep 0.25" +
           at(to, toX, toY) + " sleep 0.4 mouseup 1");
}

class DragJourney : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(stage_.Ok()); }

  std::string Library() const { return stage_.Root() + "/Library/"; }

  // Starts the program and waits for its main window, moved to the left of
  // the screen so that the helper windows fit beside it.
  void StartProgram() {
    program_ = std::make_unique<e2e::RunningProgram>(stage_.Program(), stage_.ProgramDirectory());
    main_ = e2e::WaitForWindowOf(program_->Pid(), kPlainMainWindow);
    ASSERT_NE(main_, 0u) << "the main window did not open";
    ASSERT_TRUE(MoveWindow(main_, 10, 40));
  }

  // Clicks the first index row and walks down to row n with the keyboard;
  // the program then shows that row's entry.
  void SelectRow(int n, const std::string& title) {
    ASSERT_TRUE(e2e::ClickAt(main_, kRootRowX, kRootRowY));
    std::string keys = "Home";
    for (int i = 0; i < n; ++i) keys += " Down";
    ASSERT_TRUE(e2e::SendKeys(main_, keys));
    ASSERT_TRUE(TitleBecomes(main_, title)) << e2e::WindowTitle(main_);
  }

  // Ends the program with Escape in the main window; it must end with status 0.
  void EndProgram() { e2e::EndWithEscape(*program_, main_); }

  e2e::StagedCopy stage_;
  std::unique_ptr<e2e::RunningProgram> program_;
  unsigned long main_ = 0;
};

// The row of "Hallo Welt mit GTK 3" in the sample index, counted from the
// root at 0; the category "Basics" is two rows above it, the entry with
// the loop one below.
constexpr int kHelloWorldRow = 6;

TEST_F(DragJourney, AnIndexEntryDraggedOutArrivesAsTheUriOfItsCodeFile) {
  // The entry with the loop gets a file whose name needs escaping in a URI.
  const std::string oddName = "Basics/Grüße & Co 100%.ox";
  const std::string database = Library() + "OX-LinuxAPI-Toc.xml";
  std::string xml = TempDirectory::Read(database);
  const std::string mainLoop = "File=\"Basics/MainLoopManual.ox\"";
  const std::size_t at = xml.find(mainLoop);
  ASSERT_NE(at, std::string::npos);
  xml.replace(at, mainLoop.size(), "File=\"Basics/Grüße &amp; Co 100%.ox\"");
  WriteFile(database, xml);
  fs::copy_file(Library() + "Basics/MainLoopManual.ox", Library() + oddName);

  ASSERT_NO_FATAL_FAILURE(StartProgram());
  const std::string received = stage_.Root() + "/received.txt";
  HelperWindow target(ORVEX_DROP_TARGET, received, "^Journey drop target$");
  ASSERT_NE(target.Window(), 0u) << "the drop target did not open";
  ASSERT_TRUE(MoveWindow(target.Window(), 950, 100));

  // An entry of the sample as it stands.
  ASSERT_NO_FATAL_FAILURE(
      SelectRow(kHelloWorldRow, std::string(kProgramTitle) + " ~ Basics/HelloWorld.ox"));
  int rowY = SelectedRowY(main_, stage_.Root());
  ASSERT_GT(rowY, 0) << "no selected row on the screen";
  DragBetween(main_, kRowGripX, rowY, target.Window(), 120, 120);
  ASSERT_TRUE(e2e::Eventually([&] { return fs::exists(received); })) << "nothing was dropped";
  const std::string helloWorld = fs::canonical(Library() + "Basics/HelloWorld.ox").string();
  EXPECT_EQ(TempDirectory::Read(received), "file://" + helloWorld + "\r\n");
  // The drag leaves the entry shown and selected.
  EXPECT_EQ(e2e::WindowTitle(main_), std::string(kProgramTitle) + " ~ Basics/HelloWorld.ox");

  // The entry whose file name has blanks, an ampersand, a per cent sign and
  // letters outside ASCII: the receiver gets a URI it can decode to the file.
  fs::remove(received);
  ASSERT_TRUE(e2e::SendKeys(main_, "Down"));
  ASSERT_TRUE(TitleBecomes(main_, std::string(kProgramTitle) + " ~ " + oddName))
      << e2e::WindowTitle(main_);
  rowY = SelectedRowY(main_, stage_.Root());
  ASSERT_GT(rowY, 0);
  DragBetween(main_, kRowGripX, rowY, target.Window(), 120, 120);
  ASSERT_TRUE(e2e::Eventually([&] { return fs::exists(received); })) << "nothing was dropped";
  const std::string uriList = TempDirectory::Read(received);
  ASSERT_TRUE(uriList.ends_with("\r\n")) << uriList;
  const std::string uri = uriList.substr(0, uriList.size() - 2);
  EXPECT_TRUE(HasOnlyUriCharacters(uri)) << uri;
  EXPECT_EQ(DecodedPath(uri), fs::canonical(Library() + oddName).string()) << uri;

  // A category has no file: dragging it offers nothing.
  fs::remove(received);
  ASSERT_TRUE(e2e::SendKeys(main_, "Up Up Up"));
  ASSERT_TRUE(TitleBecomes(main_, kProgramTitle)) << e2e::WindowTitle(main_);
  rowY = SelectedRowY(main_, stage_.Root());
  ASSERT_GT(rowY, 0);
  DragBetween(main_, kRowGripX, rowY, target.Window(), 120, 120);
  e2e::Pause(kQuietMs);
  EXPECT_FALSE(fs::exists(received)) << TempDirectory::Read(received);

  EndProgram();
}

TEST_F(DragJourney, AFileDroppedOnTheCodeViewIsShownUntilTheEntryIsChosenAgain) {
  const std::string dropped = stage_.Root() + "/elsewhere/Extern Demo.ox";
  const std::string code =
      "; Dropped from another program\n"
      "Procedure ExternDemo()\n"
      "  Debug \"shown instead of the entry\"\n"
      "EndProcedure\n";
  WriteFile(dropped, code);
  const std::string payload = stage_.Root() + "/payload.txt";
  WriteFile(payload,
            "file://" + fs::canonical(stage_.Root()).string() + "/elsewhere/Extern%20Demo.ox\r\n");

  ASSERT_NO_FATAL_FAILURE(StartProgram());
  HelperWindow source(ORVEX_DRAG_SOURCE, payload, "^Hostile drag source$");
  ASSERT_NE(source.Window(), 0u) << "the drag source did not open";
  ASSERT_TRUE(MoveWindow(source.Window(), 950, 100));

  const std::string entryTitle = std::string(kProgramTitle) + " ~ Basics/HelloWorld.ox";
  ASSERT_NO_FATAL_FAILURE(SelectRow(kHelloWorldRow, entryTitle));
  const int rowY = SelectedRowY(main_, stage_.Root());
  ASSERT_GT(rowY, 0) << "no selected row on the screen";
  const std::string entryDescription = e2e::LineTextAt(main_, kDescriptionX, kDescriptionY);
  EXPECT_TRUE(entryDescription.starts_with("Das kleinste vollständige Programm"))
      << entryDescription;
  const std::string entryCode = CopiedCode(main_);
  ASSERT_NE(entryCode.find("ProcedureC OnButtonClicked(*button, *userData)"), std::string::npos)
      << entryCode.substr(0, 400);

  DragBetween(source.Window(), 80, 60, main_, kCodeViewX, kCodeViewY);
  EXPECT_TRUE(e2e::Eventually([&] { return !TempDirectory::Read(payload + ".delivered").empty(); }))
      << "the program did not take the drop";
  EXPECT_TRUE(TitleBecomes(main_, std::string(kProgramTitle) + " ~ Extern Demo.ox"))
      << e2e::WindowTitle(main_);
  EXPECT_EQ(e2e::LineTextAt(main_, kDescriptionX, kDescriptionY), "Extern file ...");
  // The view holds the file's lines; the last line feed ends the last line.
  EXPECT_EQ(CopiedCode(main_), code.substr(0, code.size() - 1));
  // No entry is selected any more.
  EXPECT_EQ(SelectedRowY(main_, stage_.Root()), -1);

  // Choosing the entry again shows its own code and description again.
  ASSERT_TRUE(e2e::ClickAt(main_, kRowGripX, rowY));
  EXPECT_TRUE(TitleBecomes(main_, entryTitle)) << e2e::WindowTitle(main_);
  EXPECT_EQ(CopiedCode(main_), entryCode);
  EXPECT_EQ(e2e::LineTextAt(main_, kDescriptionX, kDescriptionY), entryDescription);

  EndProgram();
}

}  // namespace

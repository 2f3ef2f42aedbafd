// Browsing the index with the mouse: a clicked row shows its description, its
// code and its file in the window title; the title names the file as the
// title-content setting says; the recently viewed list leads back to earlier
// entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "E2eSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

// The index rows have a fixed height; the first row's middle lies at y = 47
// (Adwaita with the fonts of the test machine). All rows are expanded at
// start and those used here are visible without scrolling.
constexpr int kRowX = 150;
constexpr int kFirstRowY = 47;
constexpr int kRowHeight = 23;

// Rows of the bundled sample index.
constexpr int kHelpRow = 2;      // /Viewer/ViewerHelp.txt
constexpr int kBasicsRow = 4;    // the category "Basics", no file
constexpr int kHelloRow = 6;     // Basics/HelloWorld.ox
constexpr int kWindowsRow = 8;   // the category "Windows", no file
constexpr int kWindowRow = 9;    // Windows/WindowBasics.ox
constexpr int kButtonsRow = 14;  // Widgets/Buttons.ox

// Tool row: the copy button sits 146 pixels from the right edge, the history
// box spans x 186 to 416 with its arrow at the right end.
constexpr int kToolY = 17;
constexpr int kCopyButtonX = -146 + 15;
constexpr int kHistoryArrowX = 398;
// A point inside the description view, right of the index.
constexpr int kDescriptionX = 560;
constexpr int kDescriptionY = 50;

// Settings window: the title-content box and the Save button.
constexpr int kTitleBoxX = 385;
constexpr int kTitleBoxY = 342;
constexpr int kSaveX = 475;
constexpr int kSaveY = 488;

constexpr const char* kMarker = "clipboard marker of the browse journey";

std::string ClipboardText() {
  return e2e::Output("timeout 5 xclip -o -selection clipboard 2>/dev/null");
}

// Puts the marker on the clipboard, held by an xclip in the background that
// ends when another program takes the clipboard over (or after 30 s).
bool MarkClipboard() {
  e2e::Run(std::string("printf %s '") + kMarker +
           "' | timeout 30 xclip -quiet -selection clipboard >/dev/null 2>&1 &");
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  while (Clock::now() < deadline) {
    if (ClipboardText() == kMarker) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

// The clipboard's text once it is no longer the marker; the marker itself
// when nothing replaced it within the time.
std::string ClipboardAfterMarker(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string text = ClipboardText();
  while (text == kMarker && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    text = ClipboardText();
  }
  return text;
}

class BrowseJourney : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(stage_.Ok()); }

  // Replaces the value of one key in the staged preferences file.
  void SetPreference(const std::string& key, const std::string& value) {
    ASSERT_TRUE(e2e::SetPreference(stage_, key, value)) << key << " is not in the preferences";
  }

  bool PreferenceBecomes(const std::string& key, const std::string& value) const {
    return e2e::PreferenceBecomes(stage_, key, value);
  }

  // Starts the program anew; a program started before is ended first.
  void Start() {
    program_.reset();
    program_ = std::make_unique<e2e::RunningProgram>(stage_.Program(), stage_.ProgramDirectory());
    window_ = e2e::WaitForWindowOf(program_->Pid(), e2e::kPlainMainWindow);
    ASSERT_NE(window_, 0u) << "the main window did not appear";
  }

  // Waits until the title names the shown file as given.
  bool TitleShows(const std::string& shown) { return e2e::TitleNamesFile(program_->Pid(), shown); }

  bool TitleIsPlain() {
    return e2e::WaitForWindowOf(program_->Pid(), e2e::kPlainMainWindow, 10000) != 0;
  }

  std::string Title() const { return e2e::WindowTitle(window_); }

  bool ClickRow(int row) { return e2e::ClickAt(window_, kRowX, kFirstRowY + row * kRowHeight); }

  // The code view's text, copied with the copy button; the marker when the
  // button put nothing on the clipboard within the time.
  std::string CopiedCode(int timeoutMs = 10000) {
    if (!MarkClipboard()) return "<the clipboard could not be marked>";
    if (!e2e::ClickAt(window_, kCopyButtonX, kToolY)) return "<no click>";
    return ClipboardAfterMarker(timeoutMs);
  }

  // The description view's text, selected and copied with the keyboard.
  std::string DescriptionText() {
    if (!MarkClipboard()) return "<the clipboard could not be marked>";
    if (!e2e::ClickAt(window_, kDescriptionX, kDescriptionY)) return "<no click>";
    if (!e2e::SendKeys(window_, "ctrl+a ctrl+c")) return "<no keys>";
    return ClipboardAfterMarker(10000);
  }

  std::string CodeOf(const std::string& file) const {
    return e2e::ShownCode(TempDirectory::Read(stage_.Root() + "/Library/" + file));
  }

  // The background colour of an index row as "#RRGGBB", taken right of the
  // row's text.
  std::string RowColour(int row) const {
    const std::string pixel = e2e::Output(
        "import -window " + std::to_string(window_) + " -crop 1x1+320+" +
        std::to_string(kFirstRowY - 9 + row * kRowHeight) + " -depth 8 txt:- 2>/dev/null");
    const std::size_t hash = pixel.find(" #");
    return hash == std::string::npos ? std::string() : pixel.substr(hash + 1, 7);
  }

  // Waits until the row is painted in the colour.
  bool RowTurns(int row, const std::string& colour) const {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (RowColour(row) != colour) {
      if (Clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
  }

  // Opens the recently viewed list and chooses an item with the keys given.
  bool ChooseRecent(const std::string& keys) {
    return e2e::OpenPopupAt(window_, kHistoryArrowX, kToolY) && e2e::PressKeys(keys);
  }


  e2e::StagedCopy stage_;
  std::unique_ptr<e2e::RunningProgram> program_;
  unsigned long window_ = 0;
};

TEST_F(BrowseJourney, ClickedRowsShowTheirDescriptionAndCodeAndCategoriesClearTheCode) {
  Start();

  // The user clicks an entry: its German description, its code and its file.
  ASSERT_TRUE(ClickRow(kHelloRow));
  EXPECT_TRUE(TitleShows("Basics/HelloWorld.ox")) << Title();
  EXPECT_EQ(DescriptionText(),
            "Das kleinste vollständige Programm: ein Fenster mit Label und Knopf, gtk_main() als "
            "Ereignisschleife.");
  EXPECT_EQ(CopiedCode(), CodeOf("Basics/HelloWorld.ox"));

  // A category has no file: its own text, the plain title and no code, so
  // the copy button leaves the clipboard alone.
  ASSERT_TRUE(ClickRow(kWindowsRow));
  EXPECT_TRUE(TitleIsPlain()) << Title();
  EXPECT_EQ(DescriptionText(),
            "Fenster erzeugen, Titelleisten, Größe, Position und abhängige Fenster. / Creating "
            "windows, title bars, size, position and dependent windows.");
  EXPECT_EQ(CopiedCode(1500), kMarker);

  // The next entry brings its own description and code.
  ASSERT_TRUE(ClickRow(kWindowRow));
  EXPECT_TRUE(TitleShows("Windows/WindowBasics.ox")) << Title();
  EXPECT_EQ(DescriptionText(),
            "Titel, Standardgröße, Symbol und Position eines GtkWindow; vor dem Schließen fragt "
            "ein Dialog nach.");
  EXPECT_EQ(CopiedCode(), CodeOf("Windows/WindowBasics.ox"));
}

TEST_F(BrowseJourney, TitleNamesTheShownFileAsTheTitleContentSettingSays) {
  struct Case {
    const char* setting;
    const char* help;   // the help entry's file is stored with a leading "/"
    const char* hello;  // stored without one
  };
  // 0: the file name; 1: the file as stored in the database; 2: the
  // database's folder ("../" in the staged preferences) and the file.
  const Case cases[] = {
      {"0", "ViewerHelp.txt", "HelloWorld.ox"},
      {"1", "/Viewer/ViewerHelp.txt", "Basics/HelloWorld.ox"},
      {"2", "../Viewer/ViewerHelp.txt", "../Basics/HelloWorld.ox"},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(std::string("SourceInTitle=") + each.setting);
    SetPreference("SourceInTitle", each.setting);
    Start();
    ASSERT_TRUE(ClickRow(kHelpRow));
    EXPECT_TRUE(TitleShows(each.help)) << Title();
    ASSERT_TRUE(ClickRow(kHelloRow));
    EXPECT_TRUE(TitleShows(each.hello)) << Title();
    // A category row has no file: the plain program title whatever the setting.
    ASSERT_TRUE(ClickRow(kBasicsRow));
    EXPECT_TRUE(TitleIsPlain()) << Title();
  }
}

TEST_F(BrowseJourney, TitleContentChosenInTheSettingsAppliesAtOnceAndIsSaved) {
  SetPreference("SourceInTitle", "2");
  Start();
  ASSERT_TRUE(ClickRow(kHelloRow));
  ASSERT_TRUE(TitleShows("../Basics/HelloWorld.ox")) << Title();

  // The user opens the settings, picks "file name only" and saves.
  ASSERT_TRUE(e2e::ClickAt(window_, -114 + 15, kToolY));
  const unsigned long settings = e2e::WaitForWindowOf(program_->Pid(), e2e::kSettingsWindow);
  ASSERT_NE(settings, 0u);
  ASSERT_TRUE(e2e::OpenPopupAt(settings, kTitleBoxX, kTitleBoxY));
  ASSERT_TRUE(e2e::PressKeys("Home Return"));
  ASSERT_TRUE(e2e::ClickAt(settings, kSaveX, kSaveY));
  EXPECT_TRUE(e2e::WaitUntilHidden(settings));

  // The title of the shown entry changes at once, later entries follow.
  EXPECT_TRUE(TitleShows("HelloWorld.ox")) << Title();
  EXPECT_TRUE(PreferenceBecomes("SourceInTitle", "0"));
  ASSERT_TRUE(ClickRow(kHelpRow));
  EXPECT_TRUE(TitleShows("ViewerHelp.txt")) << Title();
}

TEST_F(BrowseJourney, RecentlyViewedListLeadsBackToEarlierEntries) {
  Start();
  ASSERT_TRUE(ClickRow(kHelloRow));
  ASSERT_TRUE(TitleShows("Basics/HelloWorld.ox")) << Title();
  ASSERT_TRUE(ClickRow(kWindowRow));
  ASSERT_TRUE(TitleShows("Windows/WindowBasics.ox")) << Title();
  ASSERT_TRUE(ClickRow(kButtonsRow));
  ASSERT_TRUE(TitleShows("Widgets/Buttons.ox")) << Title();

  // Newest first: the third item is the first entry viewed. Choosing it
  // shows it and moves the index selection to its row.
  const std::string selected = RowColour(kButtonsRow);
  ASSERT_FALSE(selected.empty());
  ASSERT_TRUE(ChooseRecent("Down Down Return"));
  EXPECT_TRUE(TitleShows("Basics/HelloWorld.ox")) << Title();
  EXPECT_TRUE(RowTurns(kHelloRow, selected));
  EXPECT_NE(RowColour(kButtonsRow), selected);

  // Choosing from the list leaves it as it is: one item up from HelloWorld
  // is WindowBasics, with its description and code.
  ASSERT_TRUE(ChooseRecent("Up Return"));
  EXPECT_TRUE(TitleShows("Windows/WindowBasics.ox")) << Title();
  EXPECT_EQ(DescriptionText(),
            "Titel, Standardgröße, Symbol und Position eines GtkWindow; vor dem Schließen fragt "
            "ein Dialog nach.");
  EXPECT_EQ(CopiedCode(), CodeOf("Windows/WindowBasics.ox"));

  // Viewing an entry again moves it to the front without a second item:
  // the list is HelloWorld, Buttons, WindowBasics.
  ASSERT_TRUE(ClickRow(kHelloRow));
  ASSERT_TRUE(TitleShows("Basics/HelloWorld.ox")) << Title();
  ASSERT_TRUE(ChooseRecent("End Return"));
  EXPECT_TRUE(TitleShows("Windows/WindowBasics.ox")) << Title();
  ASSERT_TRUE(ChooseRecent("Up Return"));
  EXPECT_TRUE(TitleShows("Widgets/Buttons.ox")) << Title();

  // The arrow keys go on from the row the list selected, not from the row
  // clicked last.
  ASSERT_TRUE(e2e::SendKeys(window_, "Down"));
  EXPECT_TRUE(TitleShows("Widgets/Entry.ox")) << Title();
}

TEST_F(BrowseJourney, RecentlyViewedListKeepsTheTenNewestFiles) {
  struct Viewed {
    int row;
    const char* file;
  };
  // Eleven entries with distinct files, in the order they are clicked.
  const Viewed viewed[] = {
      {2, "/Viewer/ViewerHelp.txt"},     {5, "Basics/GtkCommon.oxi"},
      {6, "Basics/HelloWorld.ox"},       {7, "Basics/MainLoopManual.ox"},
      {9, "Windows/WindowBasics.ox"},    {10, "Windows/HeaderBar.ox"},
      {11, "Windows/WindowGeometry.ox"}, {12, "Windows/TransientWindow.ox"},
      {14, "Widgets/Buttons.ox"},        {15, "Widgets/Entry.ox"},
      {16, "Widgets/SpinButton.ox"},
  };
  Start();
  for (const Viewed& each : viewed) {
    ASSERT_TRUE(ClickRow(each.row));
    ASSERT_TRUE(TitleShows(each.file)) << Title();
  }
  // The oldest of the eleven fell out: the last item is the second one viewed.
  ASSERT_TRUE(ChooseRecent("End Return"));
  EXPECT_TRUE(TitleShows("Basics/GtkCommon.oxi")) << Title();
  ASSERT_TRUE(ChooseRecent("Home Return"));
  EXPECT_TRUE(TitleShows("Widgets/SpinButton.ox")) << Title();
}

}  // namespace

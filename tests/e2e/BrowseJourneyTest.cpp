// Browsing the index with the mouse: a clicked row shows its description, its
// code and its file in the window title; the title-content setting chosen in
// the settings window applies at once; the recently viewed list leads back to
// earlier entries.
#include <gtest/gtest.h>

#include <string>

#include "E2eSupport.h"

namespace {

// The index rows have a fixed height; the first row's middle lies at y = 47
// (Adwaita with the fonts of the test machine). All rows are expanded at
// start and those used here are visible without scrolling.
constexpr int kRowX = 150;
constexpr int kFirstRowY = 47;
constexpr int kRowHeight = 23;

// Rows of the bundled sample index.
constexpr int kHelpRow = 2;      // /Viewer/ViewerHelp.txt
constexpr int kHelloRow = 6;     // Basics/HelloWorld.ox
constexpr int kWindowsRow = 8;   // the category "Windows", no file
constexpr int kWindowRow = 9;    // Windows/WindowBasics.ox
constexpr int kButtonsRow = 14;  // Widgets/Buttons.ox

// The history box spans x 186 to 416 of the tool row, its arrow at the right end.
constexpr int kHistoryArrowX = 398;
// A point inside the description view, right of the index.
constexpr int kDescriptionX = 560;
constexpr int kDescriptionY = 50;

// Settings window: the title-content box.
constexpr int kTitleBoxX = 385;
constexpr int kTitleBoxY = 342;

class BrowseJourney : public e2e::Journey {
 protected:
  bool ClickRow(int row) { return e2e::ClickAt(main_, kRowX, kFirstRowY + row * kRowHeight); }

  // The description view's text, selected and copied with the keyboard.
  std::string DescriptionText() {
    if (!e2e::MarkClipboard()) return "<the clipboard could not be marked>";
    if (!e2e::ClickAt(main_, kDescriptionX, kDescriptionY)) return "<no click>";
    if (!e2e::SendKeys(main_, "ctrl+a ctrl+c")) return "<no keys>";
    std::string text;
    e2e::Eventually([&] { return (text = e2e::ClipboardText()) != e2e::kClipboardMarker; });
    return text;
  }

  // The background colour of an index row as "#RRGGBB", taken right of the
  // row's text.
  std::string RowColour(int row) const {
    const std::string pixel = e2e::Output(
        "import -window " + std::to_string(main_) + " -crop 1x1+320+" +
        std::to_string(kFirstRowY - 9 + row * kRowHeight) + " -depth 8 txt:- 2>/dev/null");
    const std::size_t hash = pixel.find(" #");
    return hash == std::string::npos ? std::string() : pixel.substr(hash + 1, 7);
  }

  // Waits until the row is painted in the colour.
  bool RowTurns(int row, const std::string& colour) const {
    return e2e::Eventually([&] { return RowColour(row) == colour; }, 5000);
  }

  // Opens the recently viewed list and chooses an item with the keys given.
  bool ChooseRecent(const std::string& keys) {
    return e2e::OpenPopupAt(main_, kHistoryArrowX, e2e::kToolRowY) && e2e::PressKeys(keys);
  }
};

TEST_F(BrowseJourney, ClickedRowsShowTheirDescriptionAndCodeAndCategoriesClearTheCode) {
  Start();

  // The user clicks an entry: its German description, its code and its file.
  ASSERT_TRUE(ClickRow(kHelloRow));
  EXPECT_TRUE(Shows("Basics/HelloWorld.ox")) << Title();
  EXPECT_EQ(DescriptionText(),
            "Das kleinste vollständige Programm: ein Fenster mit Label und Knopf, gtk_main() als "
            "Ereignisschleife.");
  EXPECT_EQ(CopiedCode(), ShownCodeOf("Basics/HelloWorld.ox"));

  // A category has no file: its own text, the plain title and no code, so
  // the copy button leaves the clipboard alone.
  ASSERT_TRUE(ClickRow(kWindowsRow));
  EXPECT_TRUE(ShowsNoFile()) << Title();
  EXPECT_EQ(DescriptionText(),
            "Fenster erzeugen, Titelleisten, Größe, Position und abhängige Fenster. / Creating "
            "windows, title bars, size, position and dependent windows.");
  EXPECT_EQ(CopiedCode(1500), e2e::kClipboardMarker);

  // The next entry brings its own description and code.
  ASSERT_TRUE(ClickRow(kWindowRow));
  EXPECT_TRUE(Shows("Windows/WindowBasics.ox")) << Title();
  EXPECT_EQ(DescriptionText(),
            "Titel, Standardgröße, Symbol und Position eines GtkWindow; vor dem Schließen fragt "
            "ein Dialog nach.");
  EXPECT_EQ(CopiedCode(), ShownCodeOf("Windows/WindowBasics.ox"));
}

TEST_F(BrowseJourney, TitleContentChosenInTheSettingsAppliesAtOnceAndIsSaved) {
  SetPreference("SourceInTitle", "2");
  Start();
  ASSERT_TRUE(ClickRow(kHelloRow));
  ASSERT_TRUE(Shows("../Basics/HelloWorld.ox")) << Title();

  // The user opens the settings, picks "file name only" and saves.
  const unsigned long settings = OpenSettings();
  ASSERT_NE(settings, 0u);
  ASSERT_TRUE(e2e::OpenPopupAt(settings, kTitleBoxX, kTitleBoxY));
  ASSERT_TRUE(e2e::PressKeys("Home Return"));
  ASSERT_TRUE(e2e::ClickAt(settings, e2e::kSaveButtonX, e2e::kSaveButtonY));
  EXPECT_TRUE(e2e::WaitUntilHidden(settings));

  // The title of the shown entry changes at once, later entries follow.
  EXPECT_TRUE(Shows("HelloWorld.ox")) << Title();
  EXPECT_TRUE(PreferenceBecomes("SourceInTitle", "0"));
  ASSERT_TRUE(ClickRow(kHelpRow));
  EXPECT_TRUE(Shows("ViewerHelp.txt")) << Title();
}

TEST_F(BrowseJourney, RecentlyViewedListLeadsBackToEarlierEntries) {
  Start();
  ASSERT_TRUE(ClickRow(kHelloRow));
  ASSERT_TRUE(Shows("Basics/HelloWorld.ox")) << Title();
  ASSERT_TRUE(ClickRow(kWindowRow));
  ASSERT_TRUE(Shows("Windows/WindowBasics.ox")) << Title();
  ASSERT_TRUE(ClickRow(kButtonsRow));
  ASSERT_TRUE(Shows("Widgets/Buttons.ox")) << Title();

  // Newest first: the third item is the first entry viewed. Choosing it
  // shows it and moves the index selection to its row.
  const std::string selected = RowColour(kButtonsRow);
  ASSERT_FALSE(selected.empty());
  ASSERT_TRUE(ChooseRecent("Down Down Return"));
  EXPECT_TRUE(Shows("Basics/HelloWorld.ox")) << Title();
  EXPECT_TRUE(RowTurns(kHelloRow, selected));
  EXPECT_NE(RowColour(kButtonsRow), selected);

  // Choosing from the list leaves it as it is: one item up from HelloWorld
  // is WindowBasics, with its description and code.
  ASSERT_TRUE(ChooseRecent("Up Return"));
  EXPECT_TRUE(Shows("Windows/WindowBasics.ox")) << Title();
  EXPECT_EQ(DescriptionText(),
            "Titel, Standardgröße, Symbol und Position eines GtkWindow; vor dem Schließen fragt "
            "ein Dialog nach.");
  EXPECT_EQ(CopiedCode(), ShownCodeOf("Windows/WindowBasics.ox"));

  // Viewing an entry again moves it to the front without a second item:
  // the list is HelloWorld, Buttons, WindowBasics.
  ASSERT_TRUE(ClickRow(kHelloRow));
  ASSERT_TRUE(Shows("Basics/HelloWorld.ox")) << Title();
  ASSERT_TRUE(ChooseRecent("End Return"));
  EXPECT_TRUE(Shows("Windows/WindowBasics.ox")) << Title();
  ASSERT_TRUE(ChooseRecent("Up Return"));
  EXPECT_TRUE(Shows("Widgets/Buttons.ox")) << Title();

  // The arrow keys go on from the row the list selected, not from the row
  // clicked last.
  ASSERT_TRUE(e2e::SendKeys(main_, "Down"));
  EXPECT_TRUE(Shows("Widgets/Entry.ox")) << Title();
}

}  // namespace

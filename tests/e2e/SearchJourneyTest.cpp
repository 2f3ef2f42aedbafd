// Searching the index with real typing in each search mode, set in the
// preferences file or chosen in the settings window: what typing selects,
// search-next with F3, Return and the keypad's Enter through every match and
// on from the top after the hint, the take-back of an unmatched character,
// unmatched text typed inside the term, and Delete clearing the term.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "E2eSupport.h"

namespace {

// The search-mode box of the settings window.
constexpr int kSearchModeBoxX = 385;
constexpr int kSearchModeBoxY = 278;
// The keys that search on from the selected match.
constexpr const char* kSearchNextKeys[] = {"F3", "Return", "KP_Enter"};

// The search field's text, copied through the clipboard.
std::string FieldText(unsigned long window) {
  return e2e::CopiedBy([&] { return e2e::SendKeys(window, "ctrl+a ctrl+c End"); }, 1000);
}

// Waits until the search field holds the text.
bool FieldBecomes(unsigned long window, const std::string& expected) {
  for (int i = 0; i < 10; ++i) {
    if (FieldText(window) == expected) return true;
  }
  return false;
}

// Whether the window shook while the xdotool action ran: the hint moves it
// 5 pixels to the right and to the left of where it was.
bool ShakesDuring(unsigned long window, const std::string& action) {
  const auto shook = [](const std::set<int>& moves) { return moves.count(5) && moves.count(-5); };
  return shook(e2e::SidewaysMovesDuring(window, "xdotool " + action, shook));
}

// Pixel counts by colour over the index tree.
std::map<std::string, int> TreeColours(unsigned long window, const std::string& shot) {
  const e2e::Geometry place = e2e::GeometryOf(window);
  e2e::Run("import -window root -crop 340x500+" + std::to_string(place.x + 10) + "+" +
           std::to_string(place.y + 40) + " " + shot);
  std::istringstream lines(e2e::Output("convert " + shot + " -format %c histogram:info:-"));
  std::map<std::string, int> colours;
  for (std::string line; std::getline(lines, line);) {
    const std::size_t hash = line.find('#');
    if (hash == std::string::npos) continue;
    colours[line.substr(hash, 7)] += std::atoi(line.c_str());
  }
  return colours;
}

class SearchJourney : public e2e::Journey {
 protected:
  // Searches on through each file in turn, with F3, Return and the keypad's
  // Enter by turns, and checks that it is selected next; then once more past
  // the last match, which shakes the window and leaves the selection and the
  // term as they are; and once again, which starts over at the first match.
  void StepThrough(const std::vector<std::string>& matches, const std::string& term) {
    for (std::size_t i = 1; i < matches.size(); ++i) {
      ASSERT_TRUE(e2e::SendKeys(main_, kSearchNextKeys[(i - 1) % 3]));
      ASSERT_TRUE(Shows(matches[i])) << "match " << i << ": " << Title();
    }
    EXPECT_TRUE(ShakesDuring(main_, "key F3")) << "no hint past the last match";
    EXPECT_NE(Title().find(matches.back()), std::string::npos) << Title();
    EXPECT_TRUE(FieldBecomes(main_, term));
    ASSERT_TRUE(e2e::SendKeys(main_, "F3"));
    EXPECT_TRUE(Shows(matches.front())) << "after the last match: " << Title();
  }
};

TEST_F(SearchJourney, IndexAndDescriptionModeFindsEveryEntryWhoseGermanTextHoldsTheTerm) {
  SetPreference("SearchMode", "0");
  Start();
  // The search field has the keyboard at start. "fenster" stands in the
  // titles of two entries and in the German descriptions of six more; the
  // first is found through its description alone.
  ASSERT_TRUE(e2e::TypeText(main_, "fenster"));
  ASSERT_TRUE(Shows("Basics/HelloWorld.ox")) << Title();
  StepThrough({"Basics/HelloWorld.ox", "Windows/WindowBasics.ox", "Windows/HeaderBar.ox",
               "Windows/WindowGeometry.ox", "Windows/TransientWindow.ox", "Layout/GridLayout.ox",
               "Drawing/CairoBasics.ox", "System/KeyFileSettings.ox"},
              "fenster");

  // Delete clears the term: search-next then has nothing to look for.
  ASSERT_TRUE(e2e::SendKeys(main_, "F3"));
  ASSERT_TRUE(Shows("Windows/WindowBasics.ox")) << Title();
  ASSERT_TRUE(e2e::SendKeys(main_, "Delete"));
  e2e::Pause(300);
  ASSERT_TRUE(e2e::SendKeys(main_, "F3"));
  e2e::Pause(500);
  EXPECT_NE(Title().find("Windows/WindowBasics.ox"), std::string::npos) << Title();
}

TEST_F(SearchJourney, IndexOnlyModeLooksAtTheRowTextsInAnyLetterCase) {
  SetPreference("SearchMode", "1");
  Start();
  // Only the two titles count, whatever case the user types in.
  ASSERT_TRUE(e2e::TypeText(main_, "FeNsTeR"));
  ASSERT_TRUE(Shows("Windows/WindowBasics.ox")) << Title();
  StepThrough({"Windows/WindowBasics.ox", "Windows/TransientWindow.ox"}, "FeNsTeR");

  // With the second match selected, a character typed at the end that
  // matches nothing is taken back and the shorter term is searched from the
  // top again.
  ASSERT_TRUE(e2e::SendKeys(main_, "F3"));
  ASSERT_TRUE(Shows("Windows/TransientWindow.ox")) << Title();
  ASSERT_TRUE(e2e::TypeText(main_, "x"));
  EXPECT_TRUE(Shows("Windows/WindowBasics.ox")) << Title();
  // The term is "FeNsTeR" again: search-next finds the second title.
  ASSERT_TRUE(e2e::SendKeys(main_, "F3"));
  EXPECT_TRUE(Shows("Windows/TransientWindow.ox")) << Title();
}

TEST_F(SearchJourney, AllLanguagesModeFindsTheTermInFrenchTexts) {
  SetPreference("SearchMode", "2");
  Start();
  // "minuterie" appears only in French titles and descriptions.
  ASSERT_TRUE(e2e::TypeText(main_, "minuterie"));
  ASSERT_TRUE(Shows("Widgets/ProgressBar.ox")) << Title();
  StepThrough({"Widgets/ProgressBar.ox", "Drawing/CairoAnimation.ox", "System/Timeout.ox"},
              "minuterie");
}

TEST_F(SearchJourney, UnmatchedTextTypedInsideTheTermStaysAndNothingIsSelected) {
  SetPreference("SearchMode", "0");
  Start();
  ASSERT_TRUE(e2e::TypeText(main_, "zeitgeber"));
  ASSERT_TRUE(Shows("Widgets/ProgressBar.ox")) << Title();
  const std::string shots = stage_.Root() + "/";
  const std::map<std::string, int> selected = TreeColours(main_, shots + "selected.png");
  ASSERT_TRUE(e2e::SendKeys(main_, "Home Right Right"));
  EXPECT_TRUE(ShakesDuring(main_, "type q"));
  EXPECT_TRUE(FieldBecomes(main_, "zeqitgeber"));
  // The selected row's highlight, a colour covering a whole row, is gone.
  const std::map<std::string, int> cleared = TreeColours(main_, shots + "cleared.png");
  int vanished = 0;
  for (const auto& [colour, count] : selected) {
    const auto now = cleared.find(colour);
    if (count > 2000 && (now == cleared.end() || now->second < 100)) ++vanished;
  }
  EXPECT_GE(vanished, 1);
}

TEST_F(SearchJourney, ModeChosenInTheSettingsAppliesToTheNextSearchAndIsSaved) {
  SetPreference("SearchMode", "0");
  Start();
  ASSERT_TRUE(e2e::TypeText(main_, "fenster"));
  ASSERT_TRUE(Shows("Basics/HelloWorld.ox")) << Title();

  // The user opens the settings, picks "index only" and saves.
  const unsigned long settings = OpenSettings();
  ASSERT_NE(settings, 0u);
  // The box's popup opens on the current item, the first one.
  ASSERT_TRUE(e2e::OpenPopupAt(settings, kSearchModeBoxX, kSearchModeBoxY));
  ASSERT_TRUE(e2e::PressKeys("Down Return"));
  ASSERT_TRUE(e2e::ClickAt(settings, e2e::kSaveButtonX, e2e::kSaveButtonY));
  ASSERT_TRUE(e2e::WaitUntilHidden(settings));
  EXPECT_TRUE(PreferenceBecomes("SearchMode", "1"));

  // The same term typed anew now skips the entry found by its description.
  ASSERT_TRUE(e2e::ClickAt(main_, e2e::kSearchFieldX, e2e::kToolRowY));
  ASSERT_TRUE(e2e::SendKeys(main_, "Delete"));
  ASSERT_TRUE(e2e::TypeText(main_, "fenster"));
  EXPECT_TRUE(Shows("Windows/WindowBasics.ox")) << Title();
}

}  // namespace

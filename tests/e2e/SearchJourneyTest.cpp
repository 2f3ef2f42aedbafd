// Searching the index in each search mode, set in the preferences file or
// chosen in the settings window: what typing selects, F3 through every match
// and on from the top, and the take-back of an unmatched character.
#include <gtest/gtest.h>

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

// The search field in the tool row, and in the settings window the
// search-mode box and the Save button.
constexpr int kSearchFieldX = 100;
constexpr int kToolY = 17;
constexpr int kSettingsButtonX = -114 + 15;
constexpr int kSearchModeBoxX = 385;
constexpr int kSearchModeBoxY = 278;
constexpr int kSaveX = 475;
constexpr int kSaveY = 488;

class SearchJourney : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(stage_.Ok()); }

  // Replaces the value of one key in the staged preferences file.
  void SetPreference(const std::string& key, const std::string& value) {
    ASSERT_TRUE(e2e::SetPreference(stage_, key, value)) << key << " is not in the preferences";
  }

  bool PreferenceBecomes(const std::string& key, const std::string& value) const {
    return e2e::PreferenceBecomes(stage_, key, value);
  }

  void Start() {
    program_ = std::make_unique<e2e::RunningProgram>(stage_.Program(), stage_.ProgramDirectory());
    window_ = e2e::WaitForWindowOf(program_->Pid(), e2e::kPlainMainWindow);
    ASSERT_NE(window_, 0u) << "the main window did not appear";
  }

  // Waits until the title names the file of the selected entry.
  bool Shows(const std::string& file) { return e2e::TitleNamesFile(program_->Pid(), file); }

  std::string Title() const { return e2e::WindowTitle(window_); }


  // Presses F3 for each file in turn and checks that it is selected next;
  // then once more past the last match (nothing selected, the hint) and once
  // again, which starts over at the first match.
  void StepThrough(const std::vector<std::string>& matches) {
    for (std::size_t i = 1; i < matches.size(); ++i) {
      ASSERT_TRUE(e2e::SendKeys(window_, "F3"));
      ASSERT_TRUE(Shows(matches[i])) << "match " << i << ": " << Title();
    }
    // Past the last match nothing new is selected: the title stays until
    // the hint (about a third of a second) is long over.
    ASSERT_TRUE(e2e::SendKeys(window_, "F3"));
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    EXPECT_NE(Title().find(matches.back()), std::string::npos) << Title();
    ASSERT_TRUE(e2e::SendKeys(window_, "F3"));
    EXPECT_TRUE(Shows(matches.front())) << "after the last match: " << Title();
  }

  e2e::StagedCopy stage_;
  std::unique_ptr<e2e::RunningProgram> program_;
  unsigned long window_ = 0;
};

TEST_F(SearchJourney, IndexAndDescriptionModeFindsEveryEntryWhoseGermanTextHoldsTheTerm) {
  SetPreference("SearchMode", "0");
  Start();
  // The search field has the keyboard at start. "fenster" stands in the
  // titles of two entries and in the German descriptions of six more; the
  // first is found through its description alone.
  ASSERT_TRUE(e2e::TypeText(window_, "fenster"));
  ASSERT_TRUE(Shows("Basics/HelloWorld.ox")) << Title();
  StepThrough({"Basics/HelloWorld.ox", "Windows/WindowBasics.ox", "Windows/HeaderBar.ox",
               "Windows/WindowGeometry.ox", "Windows/TransientWindow.ox", "Layout/GridLayout.ox",
               "Drawing/CairoBasics.ox", "System/KeyFileSettings.ox"});
}

TEST_F(SearchJourney, IndexOnlyModeLooksAtTheRowTextsInAnyLetterCase) {
  SetPreference("SearchMode", "1");
  Start();
  // Only the two titles count, whatever case the user types in.
  ASSERT_TRUE(e2e::TypeText(window_, "FeNsTeR"));
  ASSERT_TRUE(Shows("Windows/WindowBasics.ox")) << Title();
  StepThrough({"Windows/WindowBasics.ox", "Windows/TransientWindow.ox"});

  // With the second match selected, a character that matches nothing is
  // taken back and the shorter term is searched from the top again.
  ASSERT_TRUE(e2e::SendKeys(window_, "F3"));
  ASSERT_TRUE(Shows("Windows/TransientWindow.ox")) << Title();
  ASSERT_TRUE(e2e::TypeText(window_, "x"));
  EXPECT_TRUE(Shows("Windows/WindowBasics.ox")) << Title();
  // The term is "FeNsTeR" again: search-next finds the second title.
  ASSERT_TRUE(e2e::SendKeys(window_, "F3"));
  EXPECT_TRUE(Shows("Windows/TransientWindow.ox")) << Title();
}

TEST_F(SearchJourney, AllLanguagesModeFindsTheTermInFrenchTexts) {
  SetPreference("SearchMode", "2");
  Start();
  // "minuterie" appears only in French titles and descriptions.
  ASSERT_TRUE(e2e::TypeText(window_, "minuterie"));
  ASSERT_TRUE(Shows("Widgets/ProgressBar.ox")) << Title();
  StepThrough({"Widgets/ProgressBar.ox", "Drawing/CairoAnimation.ox", "System/Timeout.ox"});
}

TEST_F(SearchJourney, ModeChosenInTheSettingsAppliesToTheNextSearchAndIsSaved) {
  SetPreference("SearchMode", "0");
  Start();
  ASSERT_TRUE(e2e::TypeText(window_, "fenster"));
  ASSERT_TRUE(Shows("Basics/HelloWorld.ox")) << Title();

  // The user opens the settings, picks "index only" and saves.
  ASSERT_TRUE(e2e::ClickAt(window_, kSettingsButtonX, kToolY));
  const unsigned long settings = e2e::WaitForWindowOf(program_->Pid(), e2e::kSettingsWindow);
  ASSERT_NE(settings, 0u);
  // The box's popup opens on the current item, the first one.
  ASSERT_TRUE(e2e::OpenPopupAt(settings, kSearchModeBoxX, kSearchModeBoxY));
  ASSERT_TRUE(e2e::PressKeys("Down Return"));
  ASSERT_TRUE(e2e::ClickAt(settings, kSaveX, kSaveY));
  ASSERT_TRUE(e2e::WaitUntilHidden(settings));
  EXPECT_TRUE(PreferenceBecomes("SearchMode", "1"));

  // The same term typed anew now skips the entry found by its description.
  ASSERT_TRUE(e2e::ClickAt(window_, kSearchFieldX, kToolY));
  ASSERT_TRUE(e2e::SendKeys(window_, "Delete"));
  ASSERT_TRUE(e2e::TypeText(window_, "fenster"));
  EXPECT_TRUE(Shows("Windows/WindowBasics.ox")) << Title();
}

}  // namespace

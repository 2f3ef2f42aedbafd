// The settings, database-information and update windows opened with real
// clicks and closed with real keys: Escape only hides them, and the program
// goes on until Escape in the main window.
#include <gtest/gtest.h>

#include <string>

#include "E2eSupport.h"

namespace {

using e2e::kPlainMainWindow;

// Tool-row buttons are 30 pixels wide at fixed distances from the right edge.
constexpr int kSettingsButtonX = -114 + 15;
constexpr int kInfoButtonX = -40 + 15;
constexpr int kButtonY = 17;

class SecondaryWindows : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(stage_.Ok());
    program_ = std::make_unique<e2e::RunningProgram>(stage_.Program(), stage_.ProgramDirectory());
    main_ = e2e::WaitForWindowOf(program_->Pid(), kPlainMainWindow);
    ASSERT_NE(main_, 0u);
  }

  // Opens a window, presses Escape in it and checks that only it went away.
  void EscapeHides(const std::string& titlePattern) {
    const unsigned long window = e2e::WaitForWindowOf(program_->Pid(), titlePattern, 10000);
    ASSERT_NE(window, 0u) << titlePattern << " did not open";
    ASSERT_TRUE(e2e::SendKeys(window, "Escape"));
    EXPECT_TRUE(e2e::WaitUntilHidden(window)) << titlePattern;
    const auto ended = program_->WaitForExit(300);
    EXPECT_FALSE(ended.has_value())
        << "the program must go on; it ended with status " << ended.value_or(-1);
  }

  // Chooses the n-th item of the info menu.
  void ChooseInfoItem(int n) {
    ASSERT_TRUE(e2e::OpenPopupAt(main_, kInfoButtonX, kButtonY));
    std::string keys;
    for (int i = 0; i < n; ++i) keys += "Down ";
    ASSERT_TRUE(e2e::PressKeys(keys + "Return"));
  }

  e2e::StagedCopy stage_;
  std::unique_ptr<e2e::RunningProgram> program_;
  unsigned long main_ = 0;
};

TEST_F(SecondaryWindows, EscapeHidesEachOfThemAndEndsOnlyTheMainWindow) {
  ASSERT_TRUE(e2e::ClickAt(main_, kSettingsButtonX, kButtonY));
  EscapeHides("^Linux OX-ZUR-Erirada-Vuvazo - Settings$");
  ChooseInfoItem(2);
  EscapeHides("^About: Current database & file$");
  ChooseInfoItem(3);
  EscapeHides("^Orvex-Linux-API-Viewer: Update check$");

  e2e::EndWithEscape(*program_, main_);
}

}  // namespace

// The settings, database-information and update windows opened with real
// clicks and closed with real keys: Escape only hides them, and the program
// goes on until Escape in the main window.
#include <gtest/gtest.h>

#include "E2eSupport.h"

namespace {

class SecondaryWindows : public e2e::Journey {};

TEST_F(SecondaryWindows, EscapeHidesEachOfThemAndEndsOnlyTheMainWindow) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ExpectEscapeHides(OpenSettings());
  ASSERT_TRUE(ChooseMenuItem(e2e::kInfoButtonX, 2));
  ExpectEscapeHides(e2e::WaitForWindowOf(Pid(), "^About: Current database & file$", 10000));
  ASSERT_TRUE(ChooseMenuItem(e2e::kInfoButtonX, 3));
  ExpectEscapeHides(e2e::WaitForWindowOf(Pid(), "^Orvex-Linux-API-Viewer: Update check$", 10000));
  // The fixture ends the program with Escape in the main window.
}

}  // namespace

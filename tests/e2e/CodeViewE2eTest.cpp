// The staged program shows an entry's code when the user walks the index with
// the keyboard, and the window title follows the shown file.
#include <gtest/gtest.h>

#include <string>

#include "E2eSupport.h"

namespace {

using e2e::kMainWindow;

TEST(CodeViewE2e, WalkingTheIndexShowsEachEntrysFileInTheTitle) {
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  e2e::RunningProgram program(stage.Program(), stage.ProgramDirectory());
  const unsigned long window = e2e::WaitForWindowOf(program.Pid(), kMainWindow);
  ASSERT_NE(window, 0u);

  // The first row of the index: the library's root, which has no file.
  ASSERT_TRUE(e2e::ClickAt(window, 40, 45));
  // Down to the help entry (a text file), then on to the first code file.
  ASSERT_TRUE(e2e::SendKeys(window, "Down Down"));
  EXPECT_NE(
      e2e::WaitForWindowOf(program.Pid(), "^Linux OX-ZUR-Erirada-Vuvazo ~ .*ViewerHelp\\.txt$"),
      0u);
  ASSERT_TRUE(e2e::SendKeys(window, "Down Down Down"));
  EXPECT_NE(
      e2e::WaitForWindowOf(program.Pid(), "^Linux OX-ZUR-Erirada-Vuvazo ~ .*GtkCommon\\.oxi$"), 0u);
  ASSERT_TRUE(e2e::SendKeys(window, "Down"));
  EXPECT_NE(
      e2e::WaitForWindowOf(program.Pid(), "^Linux OX-ZUR-Erirada-Vuvazo ~ .*HelloWorld\\.ox$"), 0u);
  // A category row has no file: the title falls back to the program's name.
  ASSERT_TRUE(e2e::SendKeys(window, "Up Up"));
  EXPECT_NE(e2e::WaitForWindowOf(program.Pid(), "^Linux OX-ZUR-Erirada-Vuvazo$"), 0u);
}

}  // namespace

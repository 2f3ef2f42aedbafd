// The staged program shows an entry's code when the user walks the index with
// the keyboard, and the window title follows the shown file.
#include <gtest/gtest.h>

#include "E2eSupport.h"

namespace {

class CodeViewE2e : public e2e::Journey {};

TEST_F(CodeViewE2e, WalkingTheIndexShowsEachEntrysFileInTheTitle) {
  ASSERT_NO_FATAL_FAILURE(Start());
  // The first row of the index: the library's root, which has no file.
  ASSERT_TRUE(e2e::ClickAt(main_, 40, 45));
  // Down to the help entry (a text file), then on to the first code file.
  ASSERT_TRUE(e2e::SendKeys(main_, "Down Down"));
  EXPECT_TRUE(Shows("/Viewer/ViewerHelp.txt")) << Title();
  ASSERT_TRUE(e2e::SendKeys(main_, "Down Down Down"));
  EXPECT_TRUE(Shows("Basics/GtkCommon.oxi")) << Title();
  ASSERT_TRUE(e2e::SendKeys(main_, "Down"));
  EXPECT_TRUE(Shows("Basics/HelloWorld.ox")) << Title();
  // A category row has no file: the title falls back to the program's name.
  ASSERT_TRUE(e2e::SendKeys(main_, "Up Up"));
  EXPECT_TRUE(ShowsNoFile()) << Title();
}

}  // namespace

// Start-up with and without a preferences file and with a broken database,
// as a user meets them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "E2eSupport.h"

namespace {

using e2e::kErrorWindow;
using e2e::kMainWindow;
using e2e::kXmlErrorWindow;

// The main window, with or without a code file named in its title.
constexpr const char* kChooser = "^Choose database 'OX-LinuxAPI-Toc\\.xml' \\.\\.\\.$";
constexpr const char* kAboutWindow = "^About Orvex-Linux-API-Viewer$";

std::string PreferencesOf(const e2e::StagedCopy& stage) {
  return stage.ProgramDirectory() + "LinuxOX VIZ-AduDozuzo.ini";
}

TEST(DatabaseStart, FirstStartAsksForTheDatabaseAndCreatesThePreferences) {
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  std::filesystem::remove(PreferencesOf(stage));
  e2e::RunningProgram program(stage.Program(), stage.Root());
  const unsigned long chooser = e2e::WaitForWindowOf(program.Pid(), kChooser);
  ASSERT_NE(chooser, 0u) << "the database dialog did not open";
  const std::string database = stage.Root() + "/Library/OX-LinuxAPI-Toc.xml";
  ASSERT_TRUE(e2e::SendKeys(chooser, "ctrl+l"));
  ASSERT_TRUE(e2e::TypeText(chooser, database));
  // The location entry may still be busy completing the typed name and
  // swallow the first Return.
  ASSERT_TRUE(e2e::SendKeys(chooser, "Return"));
  if (!e2e::WaitUntilHidden(chooser, 3000)) {
    ASSERT_TRUE(e2e::SendKeys(chooser, "Return"));
  }
  // The very first start shows the About window once, over the main window.
  const unsigned long about = e2e::WaitForWindowOf(program.Pid(), kAboutWindow);
  ASSERT_NE(about, 0u) << "the About window did not open";
  ASSERT_TRUE(e2e::SendKeys(about, "Escape"));
  ASSERT_TRUE(e2e::WaitUntilHidden(about, 3000));
  const unsigned long window = e2e::WaitForWindowOf(program.Pid(), kMainWindow);
  ASSERT_NE(window, 0u) << "the main window did not open";
  EXPECT_EQ(TempDirectory::Read(PreferencesOf(stage)),
            "\xEF\xBB\xBF\n; Viewer\ndb-path=" + database +
                "\nLib-path=" + stage.ProgramDirectory() +
                "\nabout=0\n; User settings\nLanguage=0\nSearchHint=0\nSearchMode=0\n"
                "CodeMarks=0\nFontName=Monospace\nFontSize=10\nSavePaths=1\nSourceInTitle=1\n"
                "SaveWinSetting=0\nDyeingNews=1\nDarkMode=0\nCodeEditorPath=\n; App settings\n");
  ASSERT_TRUE(e2e::SendKeys(window, "Escape"));
  e2e::ExpectOrderlyEnd(program);
}

TEST(DatabaseStart, CancellingTheDialogEndsTheProgramAndWritesNothing) {
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  std::filesystem::remove(PreferencesOf(stage));
  e2e::RunningProgram program(stage.Program(), stage.Root());
  const unsigned long chooser = e2e::WaitForWindowOf(program.Pid(), kChooser);
  ASSERT_NE(chooser, 0u);
  ASSERT_TRUE(e2e::SendKeys(chooser, "Escape"));
  const unsigned long message = e2e::WaitForWindowOf(program.Pid(), kErrorWindow);
  ASSERT_NE(message, 0u) << "no message about the missing database";
  ASSERT_TRUE(e2e::SendKeys(message, "Return"));
  e2e::ExpectOrderlyEnd(program);
  EXPECT_FALSE(std::filesystem::exists(PreferencesOf(stage)));
}

TEST(DatabaseStart, ABrokenDatabaseEndsTheProgramAfterItsMessage) {
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  const std::string preferences = TempDirectory::Read(PreferencesOf(stage));
  std::ofstream(stage.Root() + "/Library/OX-LinuxAPI-Toc.xml", std::ios::trunc)
      << "<library>\n  <category Name=\"A\">\n</library>\n";
  e2e::RunningProgram program(stage.Program(), stage.Root());
  const unsigned long message = e2e::WaitForWindowOf(program.Pid(), kXmlErrorWindow);
  ASSERT_NE(message, 0u) << "no XML error message";
  EXPECT_EQ(e2e::WaitForWindowOf(program.Pid(), kMainWindow, 500), 0u)
      << "no main window behind the message";
  ASSERT_TRUE(e2e::SendKeys(message, "Return"));
  e2e::ExpectOrderlyEnd(program);
  EXPECT_EQ(TempDirectory::Read(PreferencesOf(stage)), preferences);
}

}  // namespace

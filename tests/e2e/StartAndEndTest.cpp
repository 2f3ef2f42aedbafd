#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <string>

#include "E2eSupport.h"

namespace {

using e2e::kErrorWindow;
using e2e::kPlainMainWindow;

TEST(StartAndEnd, EscapeEndsTheProgramStartedFromAnotherFolder) {
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  e2e::RunningProgram program(stage.Program(), "/");
  const unsigned long window = e2e::WaitForWindowOf(program.Pid(), kPlainMainWindow);
  ASSERT_NE(window, 0u);
  e2e::EndWithEscape(program, window);
}

TEST(StartAndEnd, ClosingTheWindowEndsWithStatusZero) {
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  e2e::RunningProgram program(stage.Program(), stage.Root());
  const unsigned long window = e2e::WaitForWindowOf(program.Pid(), kPlainMainWindow);
  ASSERT_NE(window, 0u);
  // The window manager's close shortcut sends the close request.
  ASSERT_TRUE(e2e::SendKeys(window, "alt+F4"));
  e2e::ExpectOrderlyEnd(program);
}

TEST(StartAndEnd, CrashShowsTheReportAndEndsWithTheSignal) {
  e2e::StagedCopy stage;
  ASSERT_TRUE(stage.Ok());
  e2e::RunningProgram program(stage.Program(), stage.ProgramDirectory());
  ASSERT_NE(e2e::WaitForWindowOf(program.Pid(), kPlainMainWindow), 0u);
  ASSERT_EQ(::kill(program.Pid(), SIGSEGV), 0);
  const unsigned long report = e2e::WaitForWindow(kErrorWindow);
  ASSERT_NE(report, 0u) << "the report window did not appear";
  // The report is shown by a fresh copy of the program, which gets the text
  // as its last argument.
  const std::string child = e2e::Output("pgrep -P " + std::to_string(program.Pid()));
  ASSERT_FALSE(child.empty());
  const std::string arguments =
      TempDirectory::Read("/proc/" + std::to_string(std::stoi(child)) + "/cmdline");
  const std::string text = arguments.substr(arguments.rfind('\0', arguments.size() - 2) + 1);
  EXPECT_EQ(text.rfind("A program error was detected:\n\n"
                       "Error Message:   Segmentation violation\n"
                       "Error Code:      11\n"
                       "Sourcecode line: app/",
                       0),
            0u)
      << text;
  // The program waits until the report is closed.
  EXPECT_FALSE(program.WaitForExit(300).has_value());
  ASSERT_TRUE(e2e::SendKeys(report, "Return"));
  const auto status = program.WaitForExit();
  ASSERT_TRUE(status.has_value());
  ASSERT_TRUE(WIFSIGNALED(*status)) << "status " << *status;
  EXPECT_EQ(WTERMSIG(*status), SIGSEGV);
}

}  // namespace

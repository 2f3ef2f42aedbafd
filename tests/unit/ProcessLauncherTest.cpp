#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "support/TempDirectory.h"
#include "toolkit/core/ProcessLauncher.h"

namespace toolkit {
namespace {

// Waits until the file exists and holds something; a started program writes it.
std::string AwaitFile(const std::string& path) {
  for (int i = 0; i < 500; ++i) {
    std::string content = TempDirectory::Read(path);
    if (!content.empty()) return content;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return {};
}

TEST(ProcessLauncher, FindsProgramsThroughThePath) {
  EXPECT_FALSE(FindProgram("sh").empty());
  EXPECT_TRUE(FindProgram("no-such-program-here").empty());
  EXPECT_TRUE(FindProgram("").empty());
  EXPECT_EQ(FindProgram("/bin/sh"), "/bin/sh");
  TempDirectory temp;
  const std::string plain = temp.Write("plain", "text");
  ::chmod(plain.c_str(), 0644);
  EXPECT_TRUE(FindProgram(plain).empty()) << "not executable";
}

TEST(ProcessLauncher, StartFailsWhenTheProgramIsMissing) {
  EXPECT_FALSE(StartProgram("no-such-program-here", {"x"}));
  EXPECT_FALSE(StartProgram("/no/such/path/xdg-open", {}));
}

TEST(ProcessLauncher, EachArgumentStaysOneArgumentWithoutShell) {
  TempDirectory temp;
  const std::string out = temp.Path() + "/out";
  const std::string tricky = "a b; rm -rf \"$HOME\" `id` $(id) *";
  ASSERT_TRUE(
      StartProgram("sh", {"-c", "printf '%s|%s' \"$1\" \"$#\" > \"$2\"", "sh", tricky, out}));
  EXPECT_EQ(AwaitFile(out), tricky + "|2");
}

TEST(ProcessLauncher, StartedProgramsGetTheEnvironmentWithoutTheViewersOwnVariables) {
  ::setenv("ORVEX_TEST_SET_BY_USER", "user", 1);
  SetForThisProcessOnly("ORVEX_TEST_SET_BY_USER", "own");
  SetForThisProcessOnly("ORVEX_TEST_OWN", "own");
  EXPECT_STREQ(std::getenv("ORVEX_TEST_OWN"), "own");
  TempDirectory temp;
  const std::string out = temp.Path() + "/out";
  ASSERT_TRUE(StartProgram(
      "sh",
      {"-c", "printf '%s|%s' \"$ORVEX_TEST_SET_BY_USER\" \"${ORVEX_TEST_OWN-unset}\" > \"$1\"",
       "sh", out}));
  EXPECT_EQ(AwaitFile(out), "user|unset");
  ::unsetenv("ORVEX_TEST_SET_BY_USER");
  ::unsetenv("ORVEX_TEST_OWN");
}

TEST(ProcessLauncher, ExecFailureIsReportedAndNoChildStaysBehind) {
  TempDirectory temp;
  const std::string script = temp.Write("broken", "#!/no/such/interpreter\n");
  ::chmod(script.c_str(), 0755);
  EXPECT_FALSE(StartProgram(script, {}));
  EXPECT_TRUE(StartProgram("true", {}));
  // The started program is not our child: nothing is left to reap.
  int status = 0;
  EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

}  // namespace
}  // namespace toolkit

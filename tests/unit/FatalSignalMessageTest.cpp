#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include "app/core/FatalSignalMessage.h"

namespace app {
namespace {

TEST(FatalSignalMessage, LayoutIsExact) {
  EXPECT_EQ(FatalSignalMessage(SIGSEGV, "app/EventLoop.cpp:81"),
            "A program error was detected:\n\n"
            "Error Message:   Segmentation violation\n"
            "Error Code:      11\n"
            "Sourcecode line: app/EventLoop.cpp:81\n");
}

TEST(FatalSignalMessage, DescribesEveryHandledSignal) {
  const std::pair<int, const char*> cases[] = {
      {SIGFPE, "Floating-point exception"},
      {SIGSEGV, "Segmentation violation"},
      {SIGBUS, "BUS Error"},
      {SIGABRT, "Abort signal"},
      {SIGTRAP, "Trace trap"},
      {SIGSYS, "Bad system call"},
      {SIGILL, "Illegal instruction"},
      {SIGUSR1, "Unknown error code"},
  };
  for (const auto& [signal, description] : cases) {
    EXPECT_STREQ(SignalDescription(signal), description) << signal;
  }
}

TEST(FatalSignalMessage, EmptyOrMissingLocationLeavesTheLineEmpty) {
  EXPECT_EQ(FatalSignalMessage(SIGABRT, ""),
            "A program error was detected:\n\nError Message:   Abort signal\n"
            "Error Code:      6\nSourcecode line: \n");
  EXPECT_EQ(FatalSignalMessage(SIGABRT, nullptr), FatalSignalMessage(SIGABRT, ""));
}

TEST(FatalSignalMessage, SmallBufferIsCutAndTerminated) {
  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  const std::size_t length = FormatFatalSignalMessage(buffer, sizeof buffer, SIGSEGV, "a.cpp:1");
  EXPECT_EQ(length, 15u);
  EXPECT_EQ(std::strlen(buffer), 15u);
  EXPECT_EQ(std::string(buffer), "A program error");
}

}  // namespace
}  // namespace app

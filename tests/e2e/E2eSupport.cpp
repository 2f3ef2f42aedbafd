// Helpers for end-to-end tests driving the staged program.
#include "E2eSupport.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

extern char** environ;

namespace e2e {
namespace {

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

StagedCopy::StagedCopy() {
  const char* stage = std::getenv("ORVEX_STAGE");
  if (!stage || temp_.Path().empty()) return;
  std::error_code error;
  std::filesystem::copy(stage, temp_.Path(), std::filesystem::copy_options::recursive, error);
  ok_ = !error && std::filesystem::exists(Program());
}

RunningProgram::RunningProgram(const std::string& program, const std::string& workingDirectory) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
  std::string name = program;
  char* argv[] = {name.data(), nullptr};
  if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
}

RunningProgram::~RunningProgram() {
  if (pid_ > 0 && !reaped_) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
}

std::optional<int> RunningProgram::WaitForExit(int timeoutMs) {
  if (pid_ <= 0) return std::nullopt;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      reaped_ = true;
      return status;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return std::nullopt;
}

int Run(const std::string& commandLine) {
  const int status = std::system(commandLine.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Output(const std::string& commandLine) {
  std::string output;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(commandLine.c_str(), "r"), ::pclose);
  if (!pipe) return output;
  std::array<char, 256> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe.get())) output += buffer.data();
  return output;
}

namespace {

unsigned long PollForWindow(const std::string& searchOptions, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string found =
        Output("xdotool search --onlyvisible " + searchOptions + " 2>/dev/null");
    if (!found.empty()) return std::strtoul(found.c_str(), nullptr, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return 0;
}

}  // namespace

unsigned long WaitForWindow(const std::string& titlePattern, int timeoutMs) {
  return PollForWindow("--name " + Quote(titlePattern), timeoutMs);
}

unsigned long WaitForWindowOf(pid_t pid, const std::string& titlePattern, int timeoutMs) {
  return PollForWindow("--pid " + std::to_string(pid) + " --name " + Quote(titlePattern),
                       timeoutMs);
}

bool SendKeys(unsigned long window, const std::string& keys) {
  const std::string id = std::to_string(window);
  return Run("xdotool windowactivate --sync " + id +
             " >/dev/null 2>&1 || xdotool windowfocus --sync " + id) == 0 &&
         Run("xdotool key --clearmodifiers " + keys) == 0;
}

}  // namespace e2e

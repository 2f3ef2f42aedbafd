// Starts the staged viewer as a fresh process with the first-frame probe
// preloaded and prints what the probe measured: the time from exec to the
// first drawn frame of the main window that shows the index and the first
// entry's code, and the peak resident memory then.
//
//   startup-timing PROBE VIEWER [TIMEOUT-SECONDS]
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

namespace {

long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: startup-timing PROBE VIEWER [TIMEOUT-SECONDS]\n";
    return 2;
  }
  const std::string probe = argv[1];
  const std::string viewer = argv[2];
  const int timeoutSeconds = argc > 3 ? std::atoi(argv[3]) : 30;
  char outputTemplate[] = "/tmp/startup-timing-XXXXXX";
  const int outputFd = mkstemp(outputTemplate);
  if (outputFd < 0) return 1;
  close(outputFd);
  const std::string output = outputTemplate;

  const pid_t child = fork();
  if (child < 0) return 1;
  if (child == 0) {
    // The viewer keeps its files beside itself and is started from there.
    const std::string folder = viewer.substr(0, viewer.rfind('/') + 1);
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(127);
    setenv("LD_PRELOAD", probe.c_str(), 1);
    setenv("ORVEX_PROBE_OUTPUT", output.c_str(), 1);
    setenv("ORVEX_PROBE_EXIT", "1", 1);
    setenv("ORVEX_PROBE_START_NS", std::to_string(MonotonicNanoseconds()).c_str(), 1);
    execl(viewer.c_str(), viewer.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      std::cerr << "startup-timing: no frame with the index and code within " << timeoutSeconds
                << " s\n";
      (void)std::remove(output.c_str());
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  std::ifstream result(output);
  std::string line;
  std::getline(result, line);
  (void)std::remove(output.c_str());
  if (line.empty()) {
    std::cerr << "startup-timing: the viewer ended without drawing the index and code\n";
    return 1;
  }
  std::cout << line << '\n';
  return 0;
}

// The report of a fatal signal (a crash) to the user.
#include "app/ErrorHandler.h"

#include <gtk/gtk.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "app/AppState.h"
#include "app/core/FatalSignalMessage.h"
#include "app/core/SourceMark.h"
#include "toolkit/MessageBox.h"

namespace app {
namespace {

constexpr int kFatalSignals[] = {SIGFPE, SIGSEGV, SIGBUS, SIGABRT, SIGTRAP, SIGSYS, SIGILL};

// How the handler tells the copy of the program it starts what to show.
constexpr char kReportSwitch[] = "--show-fatal-signal-report";

// Process-wide on purpose: a signal handler reaches nothing else. The guard
// keeps a second fault during the report from starting another one.
std::atomic<bool> reporting{false};
char reportText[1024];

void SetHandler(int signalNumber, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  (void)sigaction(signalNumber, &action, nullptr);
}

// Only async-signal-safe calls from here on: the crashed process's memory,
// locks and toolkit state cannot be trusted.
void OnFatalSignal(int signalNumber) {
  for (int fatal : kFatalSignals) SetHandler(fatal, SIG_DFL);
  if (reporting.exchange(true)) {
    (void)raise(signalNumber);
    return;
  }
  FormatFatalSignalMessage(reportText, sizeof reportText, signalNumber, LastSourceMark());
  // _Fork, not fork: fork first takes the allocator's and stdio's locks for
  // its handlers, and the signal may have come while this very thread held
  // one of them, which would leave the crashed program hanging for good.
  const pid_t child = _Fork();
  if (child == 0) {
    // execv takes non-const pointers but does not change the texts.
    char* arguments[] = {const_cast<char*>("orvex-api-viewer"), const_cast<char*>(kReportSwitch),
                         reportText, nullptr};
    execv("/proc/self/exe", arguments);
    _exit(127);
  }
  if (child > 0) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }
  // The default action now ends the process with the signal's status.
  (void)raise(signalNumber);
}

}  // namespace

void InstallErrorHandler() {
  for (int fatal : kFatalSignals) SetHandler(fatal, &OnFatalSignal);
}

void RestoreDefaultSignalHandling() {
  for (int fatal : kFatalSignals) SetHandler(fatal, SIG_DFL);
}

bool IsFatalReportRequest(int argc, char** argv) {
  return argc == 3 && std::strcmp(argv[1], kReportSwitch) == 0;
}

int ShowFatalReport(int argc, char** argv) {
  if (!IsFatalReportRequest(argc, argv)) return 1;
  int toolkitArgc = 1;
  if (!gtk_init_check(&toolkitArgc, &argv)) return 1;
  toolkit::ShowMessageBox(kErrorTitle, argv[2]);
  return 0;
}

}  // namespace app

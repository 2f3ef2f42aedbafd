// The report of a fatal signal (a crash) to the user.
#pragma once

namespace app {

// Installs the handler for floating-point exceptions, segmentation
// violations, bus errors, aborts, trace traps, bad system calls and illegal
// instructions. The handler shows the report through a fresh copy of the
// program (nothing of the crashed state is touched beyond writing the
// text), waits until it is closed, and then lets the signal end the process
// with its usual non-zero status.
void InstallErrorHandler();

// Puts back the default handling of those signals.
void RestoreDefaultSignalHandling();

// True when this process was started by the handler to show a report.
bool IsFatalReportRequest(int argc, char** argv);

// Shows the report passed on the command line in a message box and returns
// the process's exit status.
int ShowFatalReport(int argc, char** argv);

}  // namespace app

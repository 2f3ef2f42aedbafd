// Entry point of the viewer; the program takes no options of its own.
#include "app/ErrorHandler.h"
#include "app/Startup.h"

int main(int argc, char** argv) {
  if (app::IsFatalReportRequest(argc, argv)) return app::ShowFatalReport(argc, argv);
  return app::RunProgram(argc, argv);
}

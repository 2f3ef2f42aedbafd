// The protocol of database entries that occur more than once.
#include "library/DuplicatesProtocol.h"

#include <string>

#include "app/AppState.h"
#include "library/core/DuplicatesReport.h"
#include "library/core/PathRules.h"
#include "toolkit/MessageBox.h"
#include "toolkit/core/WholeFile.h"

namespace library {

void WriteDuplicatesProtocol(app::AppState& app) {
  const std::string path = JoinPath(app.exportDirectory, kProtocolFileName);
  toolkit::OutputFile output(path);
  const bool written = output.Created() && output.WriteAndClose(DuplicatesReport(
                                               app.database.fileName, app.database.entries));
  toolkit::ShowMessageBox(app::kProgramTitle,
                          written ? "Protokoll with double terms done to ...\n" + path
                                  : "Couldn't create Protokoll\n" + path);
}

}  // namespace library

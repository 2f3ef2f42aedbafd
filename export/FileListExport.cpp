// Writing the list of every entry's code file, with the missing ones marked.
#include "export/FileListExport.h"

#include <string>

#include "app/AppState.h"
#include "export/core/ExportRows.h"
#include "export/core/FileListText.h"
#include "library/core/PathRules.h"
#include "toolkit/MessageBox.h"
#include "toolkit/core/WholeFile.h"

namespace exports {

void ExportFileList(app::AppState& app) {
  const std::string path = library::JoinPath(app.exportDirectory, kFileListName);
  toolkit::OutputFile output(path);
  const bool written = output.Created() && output.WriteAndClose(FileListText(
                                               ExportRowsOf(app.database), app.settings.libPath));
  toolkit::ShowMessageBox(app::kProgramTitle, written ? "Filelist-Export done to ...\n" + path
                                                      : "Couldn't create\n" + path);
}

}  // namespace exports

// Writing the list of every entry's code file, with the missing ones marked.
#include "export/FileListExport.h"

#include "app/AppState.h"

namespace exports {

void ExportFileList(app::AppState&) {}

}  // namespace exports

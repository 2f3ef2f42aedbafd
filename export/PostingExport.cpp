// Writing the index as forum-posting text.
#include "export/PostingExport.h"

#include <string>
#include <vector>

#include "app/AppState.h"
#include "export/ExportFiles.h"
#include "export/IndexTreeRows.h"
#include "export/core/PostingText.h"
#include "library/core/PathRules.h"
#include "toolkit/MessageBox.h"

namespace exports {

void ExportPosting(app::AppState& app, PostingScope) {
  const std::string path = library::JoinPath(app.exportDirectory, kPostingFileName);
  OutputFile output(path);
  const bool written = output.Created() && output.WriteAndClose(PostingText(IndexTreeRows(app)));
  toolkit::ShowMessageBox(app::kProgramTitle, written ? "text-Export done to ...\n" + path
                                                      : "Couldn't create\n" + path);
}

}  // namespace exports

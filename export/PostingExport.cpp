// Writing the index as forum-posting text.
#include "export/PostingExport.h"

#include <string>
#include <vector>

#include "app/AppState.h"
#include "export/core/ExportRows.h"
#include "export/core/PostingText.h"
#include "library/core/PathRules.h"
#include "toolkit/MessageBox.h"
#include "toolkit/core/WholeFile.h"

namespace exports {

void ExportPosting(app::AppState& app, PostingScope) {
  const std::string path = library::JoinPath(app.exportDirectory, kPostingFileName);
  toolkit::OutputFile output(path);
  const bool written =
      output.Created() && output.WriteAndClose(PostingText(ExportRowsOf(app.database)));
  toolkit::ShowMessageBox(app::kProgramTitle, written ? "text-Export done to ...\n" + path
                                                      : "Couldn't create\n" + path);
}

}  // namespace exports

// Writing the whole index as one HTML page between the two templates.
#include "export/WebPageExport.h"

#include <string>
#include <vector>

#include "app/AppState.h"
#include "export/core/DateStamp.h"
#include "export/core/ExportRows.h"
#include "export/core/WebPageText.h"
#include "library/core/PathRules.h"
#include "toolkit/MessageBox.h"
#include "toolkit/core/WholeFile.h"

namespace exports {

void ExportWebPage(app::AppState& app) {
  ExportWebPage(app, std::time(nullptr));
}

void ExportWebPage(app::AppState& app, std::time_t now) {
  const std::string path = library::JoinPath(app.exportDirectory, kWebPageName);
  // The page is created before the templates are looked at, so a page that
  // cannot be created leaves no empty templates behind either.
  toolkit::OutputFile page(path);
  if (!page.Created()) return;

  const std::string head =
      toolkit::ReadOrCreateEmpty(library::JoinPath(app.templateDirectory, kHeadTemplateName));
  const std::vector<ExportRow> rows = ExportRowsOf(app.database);
  const std::string tail =
      toolkit::ReadOrCreateEmpty(library::JoinPath(app.templateDirectory, kTailTemplateName));
  const std::string text = WebPageText({head, tail, rows, app.platformWord, DateStampOf(now)});
  if (!page.WriteAndClose(text)) {
    toolkit::ShowMessageBox(app::kProgramTitle, "Couldn't create\n" + path);
    return;
  }
  toolkit::ShowMessageBox(app::kProgramTitle, "html-Export done to ...\n" + path);
}

}  // namespace exports

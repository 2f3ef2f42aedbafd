// Writing the whole index as one HTML page between the two templates.
#include "export/WebPageExport.h"

#include "app/AppState.h"

namespace exports {

void ExportWebPage(app::AppState&) {}

}  // namespace exports

// Writing the index as forum-posting text.
#include "export/PostingExport.h"

#include "app/AppState.h"

namespace exports {

void ExportPosting(app::AppState&, PostingScope) {}

}  // namespace exports

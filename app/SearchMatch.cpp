// Marking where a search found its term: the first occurrence in the shown
// description, or in the code view, which scrolls to it.
#include "app/SearchMatch.h"

#include <climits>
#include <optional>

#include "app/AppState.h"
#include "app/CodeIndexing.h"
#include "app/Ids.h"
#include "library/core/SearchCandidates.h"
#include "toolkit/TextAreaGadget.h"

namespace app {
namespace {

toolkit::TextAreaGadget* Pane(AppState& app, int id) {
  return app.ui.Find<toolkit::TextAreaGadget>(id);
}

void ClearMarks(AppState& app) {
  for (const int id : {gadget_id::kDescriptionView, gadget_id::kCodeView}) {
    if (toolkit::TextAreaGadget* pane = Pane(app, id)) pane->ClearMark();
  }
}

}  // namespace

void ShowSearchMatch(AppState& app, int row) {
  if (row != app.searchMatch.row) {
    ForgetSearchMatch(app);
    app.searchWaitingForCode.reset();
    return;
  }
  ClearMarks(app);
  const library::SearchScope scope = library::ScopeOfSearchMode(app.settings.searchMode);
  if (scope == library::SearchScope::IndexOnly) return;
  const std::string& term = app.searchMatch.term;
  const std::string& colour = app.colours.searchMatch;
  toolkit::TextAreaGadget* description = Pane(app, gadget_id::kDescriptionView);
  if (description && description->MarkFirst(term, colour)) return;
  if (scope != library::SearchScope::IndexDescriptionAndCode) return;
  if (toolkit::TextAreaGadget* code = Pane(app, gadget_id::kCodeView))
    code->MarkFirst(term, colour);
}

void ForgetSearchMatch(AppState& app) {
  app.searchMatch = {};
  ClearMarks(app);
}

}  // namespace app

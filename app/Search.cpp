// Searching the index tree for a term, as the user types or for the next match.
#include "app/Search.h"

#include <utility>

#include "app/AppState.h"
#include "app/Ids.h"
#include "app/NotFoundHints.h"
#include "app/core/NotFoundEffect.h"
#include "library/core/SearchCandidates.h"
#include "toolkit/TextFieldGadget.h"
#include "toolkit/TreeGadget.h"
#include "toolkit/Window.h"
#include "toolkit/core/TextEncoding.h"

namespace app {
namespace {

// The lowered candidates are built with each fill of the index, or when idle
// after start-up; they are built here when the search comes first, the
// search mode changed since, or the rows no longer are the ones they were
// built for.
const library::SearchCandidates& Candidates(AppState& app) {
  const library::IndexRows& rows = app.database.rows;
  const library::SearchScope scope = library::ScopeOfSearchMode(app.settings.searchMode);
  const library::Language language = app.settings.language;
  library::SearchCandidates& candidates = app.searchCandidates;
  if (!candidates.BuiltFor(rows.size(), scope, language)) {
    candidates.Build(
        rows.size(), [&rows](std::size_t i) -> std::string_view { return rows[i].text; },
        app.database.entries, scope, language);
  }
  return candidates;
}

// During as-you-type search, a character that leaves the term unmatched is
// taken back when the cursor stands at the end of the text. Positions count
// characters, so a term ending in "ö" loses the whole letter. The deletion
// is an ordinary change of the field: its change event searches again with
// the shorter term. Whether a character was taken back.
bool TakeBackLastCharacter(AppState& app, int fieldId, const std::string& term) {
  auto* field = app.ui.Find<toolkit::TextFieldGadget>(fieldId);
  if (!field) return false;
  const auto length = static_cast<int>(toolkit::CountCharacters(term));
  if (field->CursorPosition() != length) return false;
  const auto fieldLength = static_cast<int>(toolkit::CountCharacters(field->Text()));
  if (fieldLength == 0) return false;
  field->DeleteCharacters(fieldLength - 1, fieldLength);
  return true;
}

void GiveNotFoundHint(AppState& app, int windowId, int fieldId) {
  constexpr int kAmplitude = 5;
  const toolkit::Window* window = app.ui.FindWindow(windowId);
  switch (NotFoundEffectOf(app.settings.searchHint, window && window->CanMove())) {
    case NotFoundEffect::Shake:
      ShakeWindow(app, windowId, kAmplitude);
      return;
    case NotFoundEffect::Blink:
      BlinkGadget(app, fieldId);
      return;
    case NotFoundEffect::ShakeWhileColoured:
      ShakeAndColour(app, windowId, fieldId, kAmplitude);
      return;
  }
}

}  // namespace

void SearchIndex(AppState& app, int windowId, int treeId, int fieldId, const std::string& term,
                 bool next) {
  // The search that the change of a taken-back character starts comes next.
  const bool afterTakeBack = std::exchange(app.searchTakingBack, false);
  if (term.empty()) return;
  auto* tree = app.ui.Find<toolkit::TreeGadget>(treeId);
  if (!tree) return;
  // Nothing selected reads as -1, so a search-next then starts at the top.
  const int start = next ? tree->State() + 1 : 0;
  const auto found = Candidates(app).Find(term, static_cast<std::size_t>(start));
  if (found) {
    // Selecting expands the row's collapsed ancestors; the posted change
    // lets the event loop show the entry.
    tree->SetState(static_cast<int>(*found));
    app.ui.PostEvent(toolkit::EventKind::Gadget, windowId, treeId, toolkit::event_type::kChange);
    return;
  }
  tree->SetState(-1);
  if (!next) app.searchTakingBack = TakeBackLastCharacter(app, fieldId, term);
  // A shorter term that still finds nothing loses its last character too, and
  // so on; only the first search of such a chain gives the hint. A hint for
  // each character shook the window for seconds on end, while the program
  // took no input and drew nothing.
  if (!afterTakeBack) GiveNotFoundHint(app, windowId, fieldId);
}

void PrepareSearch(AppState& app) {
  if (app.ui.FindGadget(gadget_id::kIndexTree)) Candidates(app);
}

}  // namespace app

// Searching the index tree for a term, as the user types or for the next match.
#include "app/Search.h"

#include <utility>

#include "app/AppState.h"
#include "app/CodeIndexing.h"
#include "app/Ids.h"
#include "app/NotFoundHints.h"
#include "app/SearchMatch.h"
#include "app/core/NotFoundEffect.h"
#include "library/core/SearchCandidates.h"
#include "toolkit/PendingEvents.h"
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

// Whether the user typed on while the search ran: the input waiting in the
// toolkit is handed to the widgets first, and the field no longer holds what
// the search left in it. A hint then would hold the program for a term the
// user has typed past already; with one hint for each quickly typed
// character that found nothing, the program took no input for seconds.
bool TypedOn(AppState& app, int fieldId) {
  const std::string left = app.ui.GadgetText(fieldId);
  toolkit::ProcessPendingEvents();
  return app.ui.GadgetText(fieldId) != left;
}

// The first row from start that matches term in the search's scope. In the
// code scope before the code index is ready, only titles and descriptions
// are searched, and nothing when they hold no match: the search then waits
// for the code.
struct Found {
  std::optional<std::size_t> row;
  bool waitsForCode = false;
};

Found FindRow(AppState& app, const std::string& term, std::size_t start) {
  const library::SearchCandidates& candidates = Candidates(app);
  if (library::ScopeOfSearchMode(app.settings.searchMode) !=
      library::SearchScope::IndexDescriptionAndCode) {
    return {candidates.Find(term, start)};
  }
  if (const library::LoweredTexts* code = ReadyCodeIndex(app)) {
    return {candidates.Find(term, start, *code)};
  }
  EnsureCodeIndex(app);
  const std::optional<std::size_t> row = candidates.Find(term, start);
  return {row, !row};
}

}  // namespace

void SearchIndex(AppState& app, int windowId, int treeId, int fieldId, const std::string& term,
                 bool next) {
  app.searchWaitingForCode.reset();
  // The search that the change of a taken-back character starts comes next.
  const bool afterTakeBack = std::exchange(app.searchTakingBack, false);
  if (term.empty()) {
    ForgetSearchMatch(app);
    return;
  }
  auto* tree = app.ui.Find<toolkit::TreeGadget>(treeId);
  if (!tree) return;
  // Nothing selected reads as -1, so a search-next then starts at the top.
  const int start = next ? tree->State() + 1 : 0;
  const Found found = FindRow(app, term, static_cast<std::size_t>(start));
  if (found.waitsForCode) {
    app.searchWaitingForCode = next;
    return;
  }
  if (found.row) {
    // Selecting expands the row's collapsed ancestors; the posted change
    // lets the event loop show the entry, with the match marked.
    const int row = static_cast<int>(*found.row);
    app.searchMatch = {row, term};
    tree->SetState(row);
    app.ui.PostEvent(toolkit::EventKind::Gadget, windowId, treeId, toolkit::event_type::kChange);
    return;
  }
  ForgetSearchMatch(app);
  tree->SetState(-1);
  if (!next) app.searchTakingBack = TakeBackLastCharacter(app, fieldId, term);
  // A shorter term that still finds nothing loses its last character too, and
  // so on; only the first search of such a chain gives the hint. A hint for
  // each character shook the window for seconds on end, while the program
  // took no input and drew nothing.
  if (afterTakeBack) return;
  if (TypedOn(app, fieldId)) {
    // The next search is of the term typed on to, not of a shorter one: it
    // gives the hint when that finds nothing.
    app.searchTakingBack = false;
    return;
  }
  GiveNotFoundHint(app, windowId, fieldId);
}

void RunSearchWaitingForCode(AppState& app) {
  if (!app.searchWaitingForCode) return;
  const bool next = *app.searchWaitingForCode;
  SearchIndex(app, window_id::kMain, gadget_id::kIndexTree, gadget_id::kSearchField,
              app.ui.GadgetText(gadget_id::kSearchField), next);
}

void PrepareSearch(AppState& app) {
  if (!app.ui.FindGadget(gadget_id::kIndexTree)) return;
  Candidates(app);
  if (library::ScopeOfSearchMode(app.settings.searchMode) ==
      library::SearchScope::IndexDescriptionAndCode) {
    EnsureCodeIndex(app);
  } else {
    // The other scopes never read the code index: its memory (tens of
    // megabytes for a large library) goes back.
    StopCodeIndex(app);
  }
}

}  // namespace app

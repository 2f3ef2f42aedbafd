// Filling the index tree and the entry list from the database document.
#include "library/IndexTree.h"

#include <utility>
#include <vector>

#include "app/AppState.h"
#include "app/Ids.h"
#include "library/core/DatabasePreparation.h"
#include "library/core/IndexFill.h"
#include "library/core/IndexRowMarkup.h"
#include "library/core/SearchCandidates.h"
#include "toolkit/PendingEvents.h"
#include "toolkit/TreeGadget.h"

namespace library {
namespace {

namespace gid = app::gadget_id;
using resources::Icon;

// The pictures of the row marks, looked up once per fill.
struct RowImages {
  toolkit::ImagePtr newEntry;
  toolkit::ImagePtr changedEntry;

  const toolkit::ImagePtr& Of(RowIcon icon) const {
    static const toolkit::ImagePtr kNone;
    switch (icon) {
      case RowIcon::New:
        return newEntry;
      case RowIcon::Changed:
        return changedEntry;
      case RowIcon::None:
        break;
    }
    return kNone;
  }
};

void ClearTreeAndEntries(app::AppState& app, toolkit::TreeGadget& tree) {
  tree.ClearItems();
  app.database.ClearIndex();
  app.searchCandidates.Clear();
}

// Shows the rows in the tree and takes over the entries. The search's
// lowered texts follow the fill, so a keystroke only lowers its term; at
// start-up they wait until the window is drawn (the search builds them
// itself when they are missing).
void ShowIndexFill(app::AppState& app, IndexFill fill, const IndexFillOptions& options,
                   bool buildSearchTexts) {
  auto* tree = app.ui.Find<toolkit::TreeGadget>(gid::kIndexTree);
  LibraryDatabase& database = app.database;
  if (fill.helpEntryIndex) database.helpEntryIndex = *fill.helpEntryIndex;
  if (fill.versionWord) database.versionWord = std::move(*fill.versionWord);

  const RowImages images{app.ui.Image(app::ImageId(Icon::NewEntry)),
                         app.ui.Image(app::ImageId(Icon::ChangedEntry))};
  std::vector<toolkit::TreeGadget::Row> rows;
  rows.reserve(fill.rows.size());
  for (const IndexRow& row : fill.rows) {
    rows.push_back({row.text, images.Of(row.icon), row.level, row.textColour, row.background,
                    IsBoldIndexLevel(row.level)});
  }
  if (tree) tree->AppendRows(rows);
  database.TakeIndex(std::move(fill));
  if (!buildSearchTexts) return;
  app.searchCandidates.Build(
      database.rows.size(),
      [&database](std::size_t i) -> std::string_view { return database.rows[i].text; },
      database.entries, ScopeOfSearchMode(app.settings.searchMode), options.language);
}

}  // namespace

void ShowExpandedState(app::AppState& app) {
  app.expandState = 1;
  app.ui.SetGadgetImage(gid::kExpandToggle, app::ImageId(Icon::Collapse));
}

Language IndexLanguage(const app::AppState& app) {
  if (app.ui.FindGadget(gid::kLanguageBox)) {
    return static_cast<Language>(app.ui.GadgetState(gid::kLanguageBox));
  }
  return app.settings.language;
}

IndexFillOptions FillOptions(const app::AppState& app) {
  return FillOptionsFor(app.settings, IndexLanguage(app), app.viewerChapterTitle);
}

void FillIndexTree(app::AppState& app) {
  const IndexFillOptions options = FillOptions(app);
  ShowIndexFill(app, BuildIndex(app.database.document, options), options, true);
}

void FillIndexTree(app::AppState& app, PreparedDatabase& prepared) {
  const IndexFillOptions options = FillOptions(app);
  // Rows built ahead for other options (the language box shows another
  // language than the stored one) are built again.
  if (!prepared.fill || !(prepared.options == options)) {
    FillIndexTree(app);
    return;
  }
  ShowIndexFill(app, std::move(*prepared.fill), options, false);
}

void ExpandAllAndCount(app::AppState& app) {
  LibraryDatabase& database = app.database;
  auto* tree = app.ui.Find<toolkit::TreeGadget>(gid::kIndexTree);
  if (!tree) return;
  tree->ExpandAll();
  const IndexCounts counts = CountIndex(database.rows, database.entries, app.viewerChapterTitle);
  database.topicCount = counts.topicCount;
  database.entryCount = counts.entryCount;
}

void RefillIndexTree(app::AppState& app, RefillSelection selection) {
  auto* tree = app.ui.Find<toolkit::TreeGadget>(gid::kIndexTree);
  if (!tree) return;
  int remembered = 0;
  if (selection == RefillSelection::FirstRow) {
    tree->SetState(0);
    RedrawIndexTree(app);
    remembered = tree->State();
    tree->SetState(-1);
  } else {
    remembered = tree->State();
    tree->SetState(0);
  }
  ClearTreeAndEntries(app, *tree);
  if (app.database.document.HasRoot()) FillIndexTree(app);
  ShowExpandedState(app);
  tree->ExpandAll();
  tree->SetState(remembered);
  app.database.MakeCurrent(remembered);
  app.settings.language = IndexLanguage(app);
}

void RedrawIndexTree(app::AppState& app) {
  if (GtkWidget* widget = app.ui.GadgetWidget(gid::kIndexTree)) gtk_widget_queue_draw(widget);
  toolkit::ProcessPendingEvents();
}

}  // namespace library

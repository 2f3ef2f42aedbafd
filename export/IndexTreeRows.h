// The exports' rows as the index tree shows them, paired with the entry list.
#pragma once

#include <vector>

#include "app/AppState.h"
#include "app/Ids.h"
#include "export/core/ExportRows.h"
#include "library/core/IndexFill.h"
#include "toolkit/TreeGadget.h"

namespace exports {

// Every row of the index tree from the database's first content row to the
// last, with its text and level, and the entry of the same index.
inline std::vector<ExportRow> IndexTreeRows(app::AppState& app) {
  std::vector<library::IndexRow> rows;
  if (const auto* tree = app.ui.Find<toolkit::TreeGadget>(app::gadget_id::kIndexTree)) {
    rows.resize(static_cast<std::size_t>(tree->CountItems()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const int position = static_cast<int>(i);
      rows[i].level = tree->ItemLevel(position);
      rows[i].text = tree->ItemText(position);
    }
  }
  return PairRows(rows, app.database.entries, app.database.firstContentIndex);
}

}  // namespace exports

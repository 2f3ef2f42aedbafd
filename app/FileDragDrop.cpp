// Dragging an index entry's code file into other applications, and dropping
// files onto the code view.
#include "app/FileDragDrop.h"

#include <filesystem>

#include "app/AppState.h"
#include "app/Ids.h"
#include "codeview/CodeFileLoading.h"
#include "library/core/PathRules.h"
#include "toolkit/core/FileStatus.h"

namespace app {

std::string IndexEntryDragFile(AppState& app) {
  const int row = app.ui.GadgetState(gadget_id::kIndexTree);
  if (row < 0 || !app.database.MakeCurrent(row)) return {};
  const std::string_view file = app.database.Current()->file;
  if (file.empty()) return {};
  const std::string path = library::CodeFilePath(app.settings.libPath, file);
  if (!toolkit::IsRegularFile(path)) return {};
  // The receiving application may run anywhere, so it gets the absolute path.
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::canonical(path, error);
  return error ? std::string() : absolute.string();
}

void DragIndexEntry(AppState& app) {
  const std::string file = IndexEntryDragFile(app);
  if (!file.empty()) app.ui.DragFiles(gadget_id::kIndexTree, {file}, GDK_ACTION_COPY);
}

void DropOnCodeView(AppState& app, const toolkit::Event& event) {
  if (event.object != gadget_id::kCodeView || !event.drop ||
      event.drop->type != toolkit::DropData::Type::Files || event.drop->files.empty()) {
    return;
  }
  // Only the first dropped file is shown, so only it is handed on: a missing
  // file is then reported by its own name, not with every other dropped path.
  if (!codeview::LoadCodeFile(app, event.drop->files.front(), true)) return;
  app.ui.SetGadgetText(gadget_id::kDescriptionView, "Extern file ...");
  app.ui.SetGadgetState(gadget_id::kIndexTree, -1);
}

}  // namespace app

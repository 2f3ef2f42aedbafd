// Where the database comes from at start-up, and loading it.
#include "library/DatabaseLoading.h"

#include <malloc.h>

#include <utility>

#include "app/AppState.h"
#include "app/Ids.h"
#include "library/IndexTree.h"
#include "library/Preferences.h"
#include "library/core/DatabasePreparation.h"
#include "library/core/PathRules.h"
#include "library/core/XmlParsing.h"
#include "toolkit/MessageBox.h"
#include "toolkit/Requesters.h"
#include "toolkit/core/FileStatus.h"

namespace library {
namespace {

namespace gid = app::gadget_id;

// The database's path, folder and file name from one full path.
void TakeDatabasePath(LibraryDatabase& database, const std::string& path) {
  database.path = path;
  database.fileName = FilePart(path);
  database.directory = DirectoryPart(path);
}

std::string AskForDatabase(const LibraryDatabase& database) {
  return toolkit::OpenFileRequester("Choose database '" + database.fileName + "' ...",
                                    database.fileName, "XML files (*.xml)|*.xml", 0);
}

// Everything that shows the old database goes: code, description, title,
// rows, entries and the recently viewed list.
void ClearDatabaseViews(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  ui.SetGadgetText(gid::kCodeView, "");
  ui.SetGadgetText(gid::kDescriptionView, "");
  app.viewShowsCurrentCodeFile = false;
  if (toolkit::Window* main = ui.FindWindow(app::window_id::kMain)) {
    main->SetTitle(app::kProgramTitle);
  }
  ui.ClearGadgetItems(gid::kIndexTree);
  app.database.ClearIndex();
  app.searchCandidates.Clear();
  ui.ClearGadgetItems(gid::kHistoryBox);
  app.recentFiles.clear();
  app.database.helpEntryIndex = 0;
  // Counts of the old database would otherwise survive a file without root.
  app.database.topicCount = 0;
  app.database.entryCount = 0;
}

}  // namespace

void ResolveDatabasePath(app::AppState& app, bool preferencesExisted) {
  LibraryDatabase& database = app.database;
  if (preferencesExisted) {
    // The stored location: a database file, or the folder that holds one.
    const std::string stored = database.directory;
    switch (toolkit::QueryPath(stored)) {
      case toolkit::PathKind::RegularFile:
        TakeDatabasePath(database, stored);
        return;
      case toolkit::PathKind::Directory:
        database.path = JoinPath(stored, database.fileName);
        database.directory = stored;
        if (!database.directory.empty() && database.directory.back() != '/') {
          database.directory += '/';
        }
        WritePreferences(app);
        return;
      default:
        break;
    }
  }
  // A cancelled dialog leaves the stored location alone: the program ends
  // with its message, and the next start asks again.
  const std::string chosen = AskForDatabase(database);
  database.path = chosen;
  if (chosen.empty()) return;
  TakeDatabasePath(database, chosen);
  WritePreferences(app);
}

bool LoadDatabaseAtStartup(app::AppState& app, PreparedDatabase& prepared) {
  LibraryDatabase& database = app.database;
  if (database.path.empty()) {
    toolkit::ShowMessageBox(app::kErrorTitle, "No database selected. Programm canceled!");
    return false;
  }
  if (prepared.result == XmlLoadResult::CannotOpen) {
    toolkit::ShowMessageBox(app::kErrorTitle,
                            "The database '" + database.path + "' cannot be opened.");
    return false;
  }
  database.document = std::move(prepared.document);
  if (database.document.errorCode != 0) {
    toolkit::ShowMessageBox(app::kXmlErrorTitle, XmlErrorMessage(database.document));
    return false;
  }
  return true;
}

void ReloadDatabase(app::AppState& app, const std::string& databasePath,
                    const std::string& libraryPath) {
  toolkit::Ui& ui = app.ui;
  LibraryDatabase& database = app.database;
  ui.SetGadgetState(gid::kIndexTree, 0);
  RedrawIndexTree(app);

  database.directory = DirectoryPart(databasePath);
  app.settings.libPath = libraryPath;
  app.reportMissingFile = true;
  database.fileName = FilePart(databasePath);
  database.path = database.directory + database.fileName;

  ClearDatabaseViews(app);
  // A file that does not open keeps the previous document; one with an XML
  // error gives what was read before the error. Neither is reported here.
  LoadXmlFile(database.path, database.document);
  if (database.document.HasRoot()) {
    FillIndexTree(app);
    ExpandAllAndCount(app);
  }
  ShowExpandedState(app);

  ui.ClearGadgetItems(gid::kHistoryBox);
  ui.SetGadgetState(gid::kIndexTree, 0);
  database.MakeCurrent(0);
  // The old database's document and index went back to the system with
  // their arenas; what the tree and the search held of it is freed in the
  // heap, whose free pages go back as well instead of staying resident.
  malloc_trim(0);
}

}  // namespace library

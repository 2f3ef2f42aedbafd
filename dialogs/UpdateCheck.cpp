// Asking the update server for the newest program and library versions.
#include "dialogs/UpdateCheck.h"

#include <optional>
#include <string>

#include "app/AppState.h"
#include "app/Ids.h"
#include "dialogs/core/VersionFile.h"
#include "toolkit/core/TextEncoding.h"

namespace dialogs {

void CheckForUpdates(app::AppState& app) {
  namespace gid = app::gadget_id;
  // The transfer blocks this thread; show the busy pointer while it runs.
  app.ui.SetBusy(true);
  const std::optional<std::string> body =
      app.http->Get("http://" + app.updateHost + kVersionFilePath);
  app.ui.SetBusy(false);
  if (!body) return;
  // Whatever the server sent reaches the window as valid text.
  const std::optional<ServerVersions> server = ReadVersionFile(toolkit::ValidUtf8(*body));
  if (!server) return;
  app.serverVersion = server->programVersion;
  app.serverLibraryDate = server->libraryDate;
  const UpdateResults results = DescribeUpdates(app.versionText, app.database.versionWord, *server);
  app.ui.SetGadgetText(gid::kUpdateGtk2Result, results.gtk2);
  app.ui.SetGadgetText(gid::kUpdateGtk3Result, results.gtk3);
  app.ui.SetGadgetText(gid::kUpdateLibraryResult, results.library);
}

}  // namespace dialogs

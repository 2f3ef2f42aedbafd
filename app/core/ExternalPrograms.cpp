// The outside programs the viewer starts: the desktop's opener, the user's
// editor and beep. None is waited for; a missing one is silent.
#include "app/core/ExternalPrograms.h"

#include "toolkit/core/FileStatus.h"
#include "toolkit/core/ProcessLauncher.h"

namespace app {

std::string PathArgument(const std::string& path) {
  return path.starts_with('-') ? "./" + path : path;
}

bool OpenWithDesktop(const std::string& path) {
  const std::string argument = PathArgument(path);
  return toolkit::StartProgram("xdg-open", {argument}) ||
         toolkit::StartProgram("gnome-open", {argument});
}

void Beep(const std::string& frequency, const std::string& milliseconds) {
  (void)toolkit::StartProgram("beep", {"-f", frequency, "-l", milliseconds});
}

CodeFileOpening OpenCodeFile(const std::string& editorPath, const std::string& filePath) {
  if (!editorPath.empty()) {
    if (!toolkit::OwnerMayExecute(editorPath)) return CodeFileOpening::Nothing;
    (void)toolkit::StartProgram(editorPath, {PathArgument(filePath)});
    return CodeFileOpening::Editor;
  }
  if (!toolkit::IsRegularFile(filePath)) return CodeFileOpening::Nothing;
  (void)OpenWithDesktop(filePath);
  return CodeFileOpening::Desktop;
}

void OpenFolderOrBeep(const std::string& folder) {
  if (toolkit::IsDirectory(folder)) {
    (void)OpenWithDesktop(folder);
  } else {
    BeepMissing();
  }
}

}  // namespace app

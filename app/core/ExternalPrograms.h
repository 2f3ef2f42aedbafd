// The outside programs the viewer starts: the desktop's opener, the user's
// editor and beep. None is waited for; a missing one is silent.
#pragma once

#include <string>

namespace app {

// A path as one argument of an outside program. A relative path that begins
// with "-" would be read as an option; "./" in front names the same file,
// since the programs run in the viewer's current directory.
std::string PathArgument(const std::string& path);

// Opens a file or folder in the desktop's default application: "xdg-open",
// or "gnome-open" when "xdg-open" cannot be started. Returns whether one of
// them started.
bool OpenWithDesktop(const std::string& path);

// Starts beep with a tone of the given frequency (Hz) and length (ms), both
// written as beep takes them ("130.8", "100").
void Beep(const std::string& frequency, const std::string& milliseconds);

// The low tone that tells a file or folder is missing.
inline void BeepMissing() {
  Beep("130.8", "100");
}

// What opening a code file did.
enum class CodeFileOpening { Editor, Desktop, Nothing };

// Opens a code file: in the editor when editorPath is set and its owner may
// execute it; with the desktop's default application when no editor is set
// and the file exists; otherwise not at all.
CodeFileOpening OpenCodeFile(const std::string& editorPath, const std::string& filePath);

// Opens a folder in the desktop's file manager, or beeps when it is not a folder.
void OpenFolderOrBeep(const std::string& folder);

}  // namespace app

// Starting outside programs (the desktop's opener, the editor, beep) without waiting.
#pragma once

#include <string>
#include <vector>

namespace toolkit {

// The program as it would be started: a name with a "/" stands for itself,
// a plain name is looked up in the directories of PATH. Returns an empty text
// when no executable regular file is found.
std::string FindProgram(const std::string& name);

// Sets an environment variable for this process only, unless the user has
// already set it: programs started below get the environment without it, as
// the viewer found it. Call it before any other thread runs.
void SetForThisProcessOnly(const std::string& name, const std::string& value);

// Starts the program with the given arguments, each passed as one argument
// (no shell is involved), and returns at once. The child runs in the
// program's current directory; nobody waits for its exit status, and it never
// stays behind as a zombie. Returns false when the program cannot be found or
// cannot be executed.
bool StartProgram(const std::string& name, const std::vector<std::string>& arguments);

}  // namespace toolkit

// The folder of the running program, against which every relative path resolves.
#pragma once

#include <string>

namespace app {

// The directory of the running executable with a trailing "/", found through
// the link "/proc/self/exe"; empty when the link cannot be read.
std::string ProgramDirectory();

// Makes the directory the process's current directory.
bool EnterDirectory(const std::string& directory);

}  // namespace app

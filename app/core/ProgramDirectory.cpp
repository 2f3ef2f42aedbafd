// The folder of the running program, against which every relative path resolves.
#include "app/core/ProgramDirectory.h"

#include <unistd.h>

#include <vector>

#include "library/core/PathRules.h"

namespace app {

std::string ProgramDirectory() {
  std::vector<char> buffer(4096);
  while (true) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return library::DirectoryPart(
          std::string_view(buffer.data(), static_cast<std::size_t>(length)));
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool EnterDirectory(const std::string& directory) {
  return !directory.empty() && ::chdir(directory.c_str()) == 0;
}

}  // namespace app

// How the program splits and joins paths.
#include "library/core/PathRules.h"

namespace library {

std::string FilePart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string DirectoryPart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string StripLeadingSlashes(std::string_view path) {
  const std::size_t first = path.find_first_not_of('/');
  return first == std::string_view::npos ? std::string() : std::string(path.substr(first));
}

std::string JoinPath(std::string_view left, std::string_view right) {
  std::string joined(left);
  if (!left.empty() && left.back() != '/' && (right.empty() || right.front() != '/')) {
    joined += '/';
  }
  joined += right;
  return joined;
}

std::string CodeFilePath(std::string_view libraryPath, std::string_view file) {
  return JoinPath(libraryPath, StripLeadingSlashes(file));
}

}  // namespace library

// File status queries: regular file, directory, permission bits.
#include "toolkit/core/FileStatus.h"

#include <sys/stat.h>

namespace toolkit {

PathKind QueryPath(const std::string& path) {
  struct stat status {};
  if (path.empty() || ::stat(path.c_str(), &status) != 0) return PathKind::Missing;
  if (S_ISREG(status.st_mode)) return PathKind::RegularFile;
  if (S_ISDIR(status.st_mode)) return PathKind::Directory;
  return PathKind::Other;
}

int PermissionBits(const std::string& path) {
  struct stat status {};
  if (path.empty() || ::stat(path.c_str(), &status) != 0) return -1;
  return static_cast<int>(status.st_mode & 07777);
}

bool OwnerMayExecute(const std::string& path) {
  const int bits = PermissionBits(path);
  return bits >= 0 && (bits & S_IXUSR) != 0;
}

}  // namespace toolkit

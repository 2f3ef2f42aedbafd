// File status queries: regular file, directory, permission bits.
#pragma once

#include <string>

namespace toolkit {

enum class PathKind { Missing, RegularFile, Directory, Other };

// What the path names, following symbolic links.
PathKind QueryPath(const std::string& path);

inline bool IsRegularFile(const std::string& path) {
  return QueryPath(path) == PathKind::RegularFile;
}
inline bool IsDirectory(const std::string& path) {
  return QueryPath(path) == PathKind::Directory;
}

// The permission bits (the low 12 bits of the mode), or -1 when the path is missing.
int PermissionBits(const std::string& path);

// True when the owner-execute bit of the path is set.
bool OwnerMayExecute(const std::string& path);

}  // namespace toolkit

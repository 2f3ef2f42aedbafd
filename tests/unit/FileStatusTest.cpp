#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "support/TempDirectory.h"
#include "toolkit/core/FileStatus.h"

namespace toolkit {
namespace {

TEST(FileStatus, TellsFilesFoldersAndMissingPaths) {
  TempDirectory temp;
  const std::string file = temp.Write("code.ox", "x");
  EXPECT_EQ(QueryPath(file), PathKind::RegularFile);
  EXPECT_EQ(QueryPath(temp.Path()), PathKind::Directory);
  EXPECT_EQ(QueryPath(temp.Path() + "/absent"), PathKind::Missing);
  EXPECT_EQ(QueryPath(""), PathKind::Missing);
  EXPECT_EQ(QueryPath("/dev/null"), PathKind::Other);
  EXPECT_TRUE(IsRegularFile(file));
  EXPECT_FALSE(IsDirectory(file));
  EXPECT_EQ(PermissionBits(temp.Path() + "/absent"), -1);
}

TEST(FileStatus, OwnerExecuteBit) {
  TempDirectory temp;
  const std::string file = temp.Write("editor", "#!/bin/sh\n");
  ::chmod(file.c_str(), 0644);
  EXPECT_FALSE(OwnerMayExecute(file));
  EXPECT_EQ(PermissionBits(file), 0644);
  ::chmod(file.c_str(), 0744);
  EXPECT_TRUE(OwnerMayExecute(file));
  EXPECT_FALSE(OwnerMayExecute(temp.Path() + "/absent"));
}

}  // namespace
}  // namespace toolkit

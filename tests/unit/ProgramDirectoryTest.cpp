#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "app/core/ProgramDirectory.h"

namespace app {
namespace {

// Puts the current directory back after a test.
class CurrentDirectoryGuard {
 public:
  CurrentDirectoryGuard() : saved_(std::filesystem::current_path()) {}
  ~CurrentDirectoryGuard() { std::filesystem::current_path(saved_); }

 private:
  std::filesystem::path saved_;
};

TEST(ProgramDirectory, IsTheExecutablesFolderWhateverTheCurrentDirectory) {
  CurrentDirectoryGuard guard;
  const std::string expected =
      std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
  std::filesystem::current_path("/");
  EXPECT_EQ(ProgramDirectory(), expected);
  ASSERT_TRUE(EnterDirectory(ProgramDirectory()));
  EXPECT_EQ(std::filesystem::current_path().string() + "/", expected);
}

TEST(ProgramDirectory, EnteringAMissingFolderFails) {
  CurrentDirectoryGuard guard;
  EXPECT_FALSE(EnterDirectory(""));
  EXPECT_FALSE(EnterDirectory("/no/such/folder/"));
}

}  // namespace
}  // namespace app

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/core/HeapGrowth.h"
#include "support/TempDirectory.h"

namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

std::string FileOfSize(const TempDirectory& folder, const std::string& name, std::uintmax_t size) {
  const std::string path = folder.Write(name, "");
  std::filesystem::resize_file(path, size);
  return path;
}

TEST(HeapGrowth, FollowsTheDatabaseSizeWithinItsLimits) {
  TempDirectory folder;
  // Small databases keep the allocator's own steps.
  EXPECT_EQ(app::HeapGrowthFor(FileOfSize(folder, "empty.xml", 0)), 0u);
  EXPECT_EQ(app::HeapGrowthFor(FileOfSize(folder, "sample.xml", 120'000)), 0u);
  // Five times the file for the 30,000-entry size.
  EXPECT_EQ(app::HeapGrowthFor(FileOfSize(folder, "large.xml", 10 * kMiB)), 50 * kMiB);
  // A huge (here sparse) file gets the largest step, not a multiple of it.
  EXPECT_EQ(app::HeapGrowthFor(FileOfSize(folder, "huge.xml", std::uintmax_t{8} << 30)), 64 * kMiB);
  // Neither a folder nor a missing file changes anything.
  EXPECT_EQ(app::HeapGrowthFor(folder.Path()), 0u);
  EXPECT_EQ(app::HeapGrowthFor(folder.Path() + "/missing.xml"), 0u);
  EXPECT_EQ(app::HeapGrowthFor(""), 0u);
}

}  // namespace

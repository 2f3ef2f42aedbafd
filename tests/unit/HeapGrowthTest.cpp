#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/HeapGrowth.h"
#include "support/TempDirectory.h"

namespace {

constexpr std::uintmax_t kGiB = std::uintmax_t{1} << 30;

// The step for a (sparse) file of the given size.
std::size_t StepForSize(const TempDirectory& folder, std::uintmax_t size) {
  const std::string path = folder.Path() + "/Toc.xml";
  if (!std::filesystem::exists(path)) folder.Write("Toc.xml", "");
  std::filesystem::resize_file(path, size);
  return app::HeapGrowthFor(path);
}

TEST(HeapGrowth, SmallOrMissingFilesKeepTheAllocatorsOwnSteps) {
  TempDirectory folder;
  EXPECT_EQ(StepForSize(folder, 0), 0u);
  EXPECT_EQ(StepForSize(folder, 1024), 0u);
  // The size of the sample library's database.
  EXPECT_EQ(StepForSize(folder, 120'000), 0u);
  EXPECT_EQ(app::HeapGrowthFor(folder.Path()), 0u);
  EXPECT_EQ(app::HeapGrowthFor(folder.Path() + "/missing.xml"), 0u);
  EXPECT_EQ(app::HeapGrowthFor(""), 0u);
}

TEST(HeapGrowth, GrowsWithTheFileUpToACapThatHugeFilesReach) {
  TempDirectory folder;
  const std::size_t cap = StepForSize(folder, 8 * kGiB);
  ASSERT_GT(cap, 0u);
  // A huge file gets the cap, not a multiple of its size.
  EXPECT_LT(cap, 8 * kGiB);
  EXPECT_EQ(StepForSize(folder, kGiB), cap);

  // Doubling sizes from 1 KiB to 8 GiB: the step never shrinks, never passes
  // the cap, and between nothing and the cap follows the size.
  std::size_t previous = 0;
  int growing = 0;
  for (std::uintmax_t size = 1024; size <= 8 * kGiB; size *= 2) {
    const std::size_t step = StepForSize(folder, size);
    EXPECT_GE(step, previous) << size;
    EXPECT_LE(step, cap) << size;
    if (step != 0 && step != cap) {
      ++growing;
      if (previous != 0) {
        EXPECT_GT(step, previous) << size;
      }
      EXPECT_GE(step, size) << size;
      EXPECT_EQ(step % size, 0u) << size;
    }
    previous = step;
  }
  EXPECT_GE(growing, 2) << "the step jumps from nothing to the cap";
}

}  // namespace

// Growing the heap in large steps while a large database is read.
#include "app/core/HeapGrowth.h"

#include <malloc.h>
#include <sys/stat.h>

#include <cstdint>

namespace app {
namespace {

// The document, the entries, the rows and the tree together hold about
// five times the file's bytes.
constexpr std::uint64_t kBytesPerFileByte = 5;
// Below this the allocator's own steps are few enough.
constexpr std::uint64_t kSmallestStep = std::uint64_t{4} << 20;
// Memory taken ahead but not used counts as the program's; a larger
// database just grows the heap a few times more.
constexpr std::uint64_t kLargestStep = std::uint64_t{64} << 20;

}  // namespace

std::size_t HeapGrowthFor(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return 0;
  const auto size = static_cast<std::uint64_t>(status.st_size);
  if (size >= kLargestStep / kBytesPerFileByte) return kLargestStep;
  const std::uint64_t step = size * kBytesPerFileByte;
  return step < kSmallestStep ? 0 : static_cast<std::size_t>(step);
}

void SetHeapGrowth(std::size_t bytes) {
  if (bytes == 0) return;
  // The allocator also keeps this much free memory at the top of the heap
  // instead of giving it back at once; a reload gives it back explicitly.
  (void)mallopt(M_TOP_PAD, static_cast<int>(bytes));
}

}  // namespace app

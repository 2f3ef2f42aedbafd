// Memory handed out front to back from a few large blocks.
#include "toolkit/core/Arena.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace toolkit {
namespace {

// Blocks after the first start at a quarter of it and grow by doubling up
// to this size, so a load larger than expected takes few calls without
// reserving much unused.
constexpr std::size_t kLargestGrowthBlock = std::size_t{64} << 20;
constexpr std::size_t kSmallestBlock = std::size_t{64} << 10;
// The large page of the machines the viewer runs on.
constexpr std::size_t kLargePage = std::size_t{2} << 20;
// Blocks up to this size have their pages mapped ahead; a larger one (a
// database far beyond any real one) gets them on first use, so that taking
// it never claims more memory than is used.
constexpr std::size_t kLargestMappedAhead = std::size_t{256} << 20;

std::size_t PageSize() {
  const long size = ::sysconf(_SC_PAGESIZE);
  return size > 0 ? static_cast<std::size_t>(size) : 4096;
}

std::size_t RoundUp(std::size_t value, std::size_t multiple) {
  const std::size_t rest = value % multiple;
  if (rest == 0) return value;
  if (value > std::numeric_limits<std::size_t>::max() - (multiple - rest)) throw std::bad_alloc();
  return value + (multiple - rest);
}

}  // namespace

Arena::Arena(std::size_t firstBlockBytes) {
  AddBlock(std::max(firstBlockBytes, kSmallestBlock));
  nextBlockSize_ = std::clamp(reserved_ / 4, kSmallestBlock, kLargestGrowthBlock);
}

Arena::~Arena() {
  for (const Block& block : blocks_) ::munmap(block.start, block.size);
}

// Maps size bytes, a multiple of kLargePage, at an address aligned to it,
// so the system can back them with large pages. Null when nothing can be
// mapped.
char* MapLargePageAligned(std::size_t size) {
  if (size > std::numeric_limits<std::size_t>::max() - kLargePage) return nullptr;
  void* mapped = ::mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  const auto address = reinterpret_cast<std::uintptr_t>(mapped);
  const std::size_t head = RoundUp(address, kLargePage) - address;
  char* start = static_cast<char*>(mapped) + head;
  if (head > 0) ::munmap(mapped, head);
  ::munmap(start + size, kLargePage - head);
  return start;
}

void Arena::AddBlock(std::size_t atLeast) {
  // Every page a process touches first costs it a fault, and on a virtual
  // machine more than that; a large block is therefore mapped in large
  // pages where the system offers them (thousands of small pages fewer),
  // and every block has its pages mapped in the one call that takes it.
  const bool large = atLeast >= kLargePage;
  const std::size_t size = RoundUp(atLeast, large ? kLargePage : PageSize());
  char* start = nullptr;
  if (large) {
    start = MapLargePageAligned(size);
    if (start) {
      (void)::madvise(start, size, MADV_HUGEPAGE);
      // Where the system cannot map the pages ahead, they come on first use.
      if (size <= kLargestMappedAhead) (void)::madvise(start, size, MADV_POPULATE_WRITE);
    }
  } else {
    void* mapped = ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (mapped != MAP_FAILED) start = static_cast<char*>(mapped);
  }
  if (!start) throw std::bad_alloc();
  try {
    blocks_.push_back(Block{start, size});
  } catch (...) {
    ::munmap(start, size);
    throw;
  }
  next_ = start;
  end_ = next_ + size;
  reserved_ += size;
}

void* Arena::Allocate(std::size_t bytes, std::size_t alignment) {
  auto address = reinterpret_cast<std::uintptr_t>(next_);
  std::size_t padding = (alignment - address % alignment) % alignment;
  if (padding > static_cast<std::size_t>(end_ - next_) ||
      bytes > static_cast<std::size_t>(end_ - next_) - padding) {
    if (bytes > std::numeric_limits<std::size_t>::max() - alignment) throw std::bad_alloc();
    AddBlock(std::max(bytes + alignment, nextBlockSize_));
    nextBlockSize_ = std::min(nextBlockSize_ * 2, kLargestGrowthBlock);
    address = reinterpret_cast<std::uintptr_t>(next_);
    padding = (alignment - address % alignment) % alignment;
  }
  char* result = next_ + padding;
  next_ = result + bytes;
  return result;
}

std::string_view Arena::Keep(std::string_view text) {
  if (text.empty()) return std::string_view("");
  char* copy = static_cast<char*>(Allocate(text.size() + 1, 1));
  std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  return std::string_view(copy, text.size());
}

}  // namespace toolkit

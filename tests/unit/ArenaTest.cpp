#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/core/Arena.h"

namespace toolkit {
namespace {

// Blocks far beyond the first one, allocations of every alignment: each is
// aligned, none overlaps another, and what was written stays.
TEST(Arena, AllocationsAreAlignedApartAndKeptAcrossBlocks) {
  Arena arena(0);
  struct Piece {
    char* at;
    std::size_t size;
  };
  std::vector<Piece> pieces;
  const std::size_t sizes[] = {1, 3, 8, 100, 4096, 70000, 1 << 20};
  for (int round = 0; round < 20; ++round) {
    for (const std::size_t size : sizes) {
      const std::size_t alignment = std::size_t{1} << (pieces.size() % 7);
      char* at = static_cast<char*>(arena.Allocate(size, alignment));
      ASSERT_EQ(reinterpret_cast<std::uintptr_t>(at) % alignment, 0u) << size;
      std::memset(at, static_cast<int>(pieces.size() % 251), size);
      pieces.push_back({at, size});
    }
  }
  EXPECT_GE(arena.BytesReserved(), 20u * (1u << 20));
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const Piece& piece = pieces[i];
    EXPECT_EQ(piece.at[0], static_cast<char>(i % 251));
    EXPECT_EQ(piece.at[piece.size - 1], static_cast<char>(i % 251)) << i;
  }
}

TEST(Arena, KeptTextsAreNulTerminatedAndContainersMoveWithTheirArena) {
  Arena arena(100);
  const std::string text("with\0nul", 8);
  const std::string_view kept = arena.Keep(text);
  EXPECT_EQ(kept, text);
  EXPECT_NE(kept.data(), text.data());
  EXPECT_EQ(kept.data()[kept.size()], '\0');
  const std::string_view empty = arena.Keep("");
  ASSERT_NE(empty.data(), nullptr);
  EXPECT_EQ(empty.data()[0], '\0');

  // Moved, a vector takes its arena along; one without an arena, and a
  // copy, live on the heap.
  ArenaVector<int> inArena((ArenaAllocator<int>(&arena)));
  inArena.assign({1, 2, 3});
  ArenaVector<int> onHeap = {4, 5};
  EXPECT_EQ(onHeap.get_allocator().GetArena(), nullptr);
  onHeap = std::move(inArena);
  EXPECT_EQ(onHeap.get_allocator().GetArena(), &arena);
  const ArenaVector<int> copy = onHeap;
  EXPECT_EQ(copy.get_allocator().GetArena(), nullptr);
  EXPECT_EQ(copy, onHeap);
}

}  // namespace
}  // namespace toolkit

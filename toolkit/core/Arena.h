// Memory for many small objects that all live and die together, such as
// everything one database load builds: taken from the system in a few large
// blocks, handed out front to back, and given back in one piece.
#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <new>
#include <string_view>
#include <type_traits>
#include <vector>

namespace toolkit {

class Arena {
 public:
  // Reserves a first block of at least firstBlockBytes, with its pages
  // mapped at once: a fresh process then takes one call into the system
  // instead of one page fault per page it touches. Throws std::bad_alloc
  // when the system has no memory to give.
  explicit Arena(std::size_t firstBlockBytes);
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;
  ~Arena();

  // bytes of memory aligned to alignment (a power of two), valid until the
  // arena goes. Takes another block when the current one is full.
  void* Allocate(std::size_t bytes, std::size_t alignment);

  // A copy of text followed by a NUL byte. Empty text gives a view of a
  // static empty string, so every view it returns is NUL-terminated.
  std::string_view Keep(std::string_view text);

  // Bytes taken from the system so far.
  std::size_t BytesReserved() const { return reserved_; }

 private:
  struct Block {
    char* start;
    std::size_t size;
  };
  void AddBlock(std::size_t atLeast);

  std::vector<Block> blocks_;
  char* next_ = nullptr;
  char* end_ = nullptr;
  std::size_t reserved_ = 0;
  std::size_t nextBlockSize_ = 0;
};

// Lets a standard container take its memory from an arena. Without an arena
// it uses the ordinary heap, so containers of these types still work where
// no arena is at hand. Memory from an arena is given back only with the
// arena; a container that outlives its arena is a fault of its owner.
template <typename T>
class ArenaAllocator {
 public:
  using value_type = T;
  // The allocator goes with the elements, so a moved-to container never
  // frees memory of another arena through its own.
  using propagate_on_container_move_assignment = std::true_type;
  using propagate_on_container_copy_assignment = std::true_type;
  using propagate_on_container_swap = std::true_type;

  ArenaAllocator() noexcept = default;
  explicit ArenaAllocator(Arena* arena) noexcept : arena_(arena) {}
  template <typename U>
  ArenaAllocator(const ArenaAllocator<U>& other) noexcept : arena_(other.GetArena()) {}

  T* allocate(std::size_t count) {
    if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
      throw std::bad_array_new_length();
    }
    if (!arena_) return std::allocator<T>().allocate(count);
    return static_cast<T*>(arena_->Allocate(count * sizeof(T), alignof(T)));
  }
  void deallocate(T* pointer, std::size_t count) noexcept {
    if (!arena_) std::allocator<T>().deallocate(pointer, count);
  }
  // A copy of a container lives on the heap: it may outlive the arena.
  ArenaAllocator select_on_container_copy_construction() const { return ArenaAllocator(); }

  Arena* GetArena() const noexcept { return arena_; }
  friend bool operator==(const ArenaAllocator&, const ArenaAllocator&) = default;

 private:
  Arena* arena_ = nullptr;
};

template <typename T>
using ArenaVector = std::vector<T, ArenaAllocator<T>>;

}  // namespace toolkit

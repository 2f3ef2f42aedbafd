// Growing the heap in large steps while a large database is read.
#pragma once

#include <cstddef>
#include <string>

namespace app {

// The heap growth step that suits reading the database file at path: a
// multiple of its size, within limits; 0 (keep the allocator's own) for a
// small or missing file.
std::size_t HeapGrowthFor(const std::string& path);

// Makes the allocator take at least bytes from the system each time its
// heap runs out, and keep as much free at its top, instead of a little more
// than the request. Reading a database of 30,000 entries otherwise grows
// the heap hundreds of times, each a system call, and gives its top back in
// between, whose pages then fault in once more. Nothing for 0.
void SetHeapGrowth(std::size_t bytes);

}  // namespace app

// Large inputs for the benchmarks, generated the same way on every run.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

// A database with the given number of code entries in categories of 500,
// titles and descriptions in three languages with non-ASCII letters and
// marks; 30,000 entries make about 10 MB.
std::string GenerateDatabase(std::size_t entryCount);

}  // namespace bench

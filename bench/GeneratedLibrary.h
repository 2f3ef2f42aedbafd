// Large inputs for the benchmarks, generated the same way on every run.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

// A database with the given number of code entries in categories of 500,
// titles and descriptions in three languages with non-ASCII letters and
// marks; 30,000 entries make about 10 MB.
std::string GenerateDatabase(std::size_t entryCount);

// Writes a code file for each of the first entryCount entries of the
// generated database below folder ("Kategorie0/Example0.ox" and so on): runs
// of 2 to 14 lines of the generated code file, about 10 MiB for 30,000
// entries. Returns the bytes written, or 0 when a file could not be written.
std::size_t WriteCodeLibrary(const std::string& folder, std::size_t entryCount);

}  // namespace bench

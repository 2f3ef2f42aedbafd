// Writes a generated database of the given number of entries to a file.
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "bench/GeneratedLibrary.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: generate-library ENTRIES FILE\n", stderr);
    return 2;
  }
  std::ofstream(argv[2], std::ios::binary)
      << bench::GenerateDatabase(std::strtoul(argv[1], nullptr, 10));
  return 0;
}

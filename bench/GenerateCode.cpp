// Writes the generated benchmark code file: generate-code LINES FILE.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/GeneratedCode.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: generate-code LINES FILE\n", stderr);
    return 2;
  }
  const long lines = std::strtol(argv[1], nullptr, 10);
  if (lines <= 0) return 2;
  std::ofstream out(argv[2], std::ios::binary);
  // The editor writes code files with a UTF-8 byte-order mark.
  out << "\xEF\xBB\xBF" << bench::GenerateCodeFile(static_cast<std::size_t>(lines));
  return out.good() ? 0 : 1;
}

// Writes generated benchmark code: generate-code LINES FILE writes one code
// file; generate-code --library ENTRIES FOLDER writes a code file for each
// of the first entries of the generated database into a library folder.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/GeneratedCode.h"
#include "bench/GeneratedLibrary.h"

int main(int argc, char** argv) {
  if (argc != 3 && !(argc == 4 && std::string(argv[1]) == "--library")) {
    std::fputs("usage: generate-code LINES FILE | generate-code --library ENTRIES FOLDER\n",
               stderr);
    return 2;
  }
  const long count = std::strtol(argv[argc - 2], nullptr, 10);
  if (count <= 0) return 2;
  if (argc == 4) {
    return bench::WriteCodeLibrary(argv[3], static_cast<std::size_t>(count)) > 0 ? 0 : 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  // The editor writes code files with a UTF-8 byte-order mark.
  out << "\xEF\xBB\xBF" << bench::GenerateCodeFile(static_cast<std::size_t>(count));
  return out.good() ? 0 : 1;
}

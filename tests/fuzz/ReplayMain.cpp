// Runs a fuzz target over every file of its seed folders and its corpus, so
// the inputs the fuzzer kept (crashes found and fixed among them) are
// replayed by every test run, without the fuzzing engine.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzCheck.h"

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path argument(argv[i]);
    std::error_code error;
    if (std::filesystem::is_directory(argument, error)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(argument, error)) {
        if (entry.is_regular_file()) inputs.push_back(entry.path());
      }
    } else if (std::filesystem::is_regular_file(argument, error)) {
      inputs.push_back(argument);
    } else {
      std::cerr << "no such input: " << argv[i] << "\n";
      return 1;
    }
  }
  if (inputs.empty()) {
    std::cerr << "no inputs to replay\n";
    return 1;
  }
  std::sort(inputs.begin(), inputs.end());
  for (const auto& path : inputs) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) {
      std::cerr << "cannot read " << path << "\n";
      return 1;
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::cout << "replayed " << inputs.size() << " inputs\n";
  return 0;
}

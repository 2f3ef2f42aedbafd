// The URI list of a drop: every path taken from it is a local absolute path
// without NUL, and turning it back into a URI gives the same path again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "toolkit/core/UriList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> paths = toolkit::LocalPathsFromUriList(fuzz::Bytes(data, size));
  for (const std::string& path : paths) {
    FUZZ_CHECK(!path.empty() && path.front() == '/');
    FUZZ_CHECK(path.find('\0') == std::string::npos);
    const std::string uri = toolkit::FileUriFromPath(path);
    FUZZ_CHECK(uri.starts_with("file:///"));
    FUZZ_CHECK(uri.find_first_of("\r\n ") == std::string::npos);
    const std::vector<std::string> again = toolkit::LocalPathsFromUriList(uri + "\r\n");
    FUZZ_CHECK(again.size() == 1 && again.front() == path);
  }
  return 0;
}

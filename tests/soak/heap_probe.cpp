// Loaded into the soaked program after the AddressSanitizer runtime (by
// LD_PRELOAD): writes the sanitizer's count of the bytes the program holds
// allocated to the file HEAP_PROBE_FILE names, four times a second. The
// resident memory of a sanitized program also holds what the sanitizer's
// allocator keeps for reuse, which rises with each new peak of use and is
// never given back; the count tells the memory the program itself holds.
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

// Of the sanitizer's runtime (GCC ships no header that declares it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

namespace {

void WriteCounts(const std::string& path) {
  // Written aside and renamed, so that a reader never sees half a number.
  const std::string aside = path + ".new";
  for (;;) {
    if (std::FILE* file = std::fopen(aside.c_str(), "w")) {
      std::fprintf(file, "%zu\n", __sanitizer_get_current_allocated_bytes());
      std::fclose(file);
      std::rename(aside.c_str(), path.c_str());
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  }
}

struct Probe {
  Probe() {
    const char* path = std::getenv("HEAP_PROBE_FILE");
    if (!path || !*path) return;
    std::string kept(path);
    // The programs the viewer starts (the stand-ins of the editor and the
    // browser) get neither the probe nor the sanitizer.
    ::unsetenv("HEAP_PROBE_FILE");
    ::unsetenv("LD_PRELOAD");
    std::thread(WriteCounts, std::move(kept)).detach();
  }
} probe;

}  // namespace

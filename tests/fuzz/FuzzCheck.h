// The entry point every fuzz target defines, and the check that turns a
// broken invariant into a crash the fuzzer records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Unlike assert, stays on in release builds: an invariant the fuzzer breaks
// must abort whatever the build type.
#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::fuzz::CheckFailed(__FILE__, __LINE__, #condition))

namespace fuzz {

// Reports the broken invariant and aborts, so the fuzzer keeps the input.
[[noreturn]] void CheckFailed(const char* file, int line, const char* condition);

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Whether the text is well-formed UTF-8 without NUL characters: what a GTK
// text setter takes without a critical.
bool IsValidUtf8(std::string_view text);

// Whether offset falls on the first byte of a character (or the end).
inline bool IsCharacterBoundary(std::string_view text, std::size_t offset) {
  return offset == text.size() ||
         (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) != 0x80);
}

}  // namespace fuzz

// Lower-casing UTF-8 text one character at a time, by the C library's
// mapping for the user's locale.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace toolkit {

// Takes the locale's lower-case mapping (LC_CTYPE) when constructed and keeps
// the mapping of the first 2048 code points in a table, so lowering mostly
// Latin, Greek or Cyrillic text needs no call into the C library.
//
// Each character is lowered on its own, so a lowered text may differ in
// length from the original. Bytes that are not valid UTF-8 are kept as they
// are.
class TextLowering {
 public:
  TextLowering();

  // Appends the lowered text to out.
  void AppendLowered(std::string_view text, std::string& out) const;
  std::string Lower(std::string_view text) const;

 private:
  char32_t LowerCharacter(char32_t c) const;

  static constexpr std::size_t kTableSize = 0x800;
  std::array<char32_t, kTableSize> table_{};
  std::array<char, 128> ascii_{};  // lowered ASCII, 0 where it leaves ASCII
};

}  // namespace toolkit

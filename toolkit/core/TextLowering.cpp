// Lower-casing UTF-8 text one character at a time, by the C library's
// mapping for the user's locale.
#include "toolkit/core/TextLowering.h"

#include <cwctype>

#include "toolkit/core/TextEncoding.h"

namespace toolkit {
namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Decodes the character at text[i]; returns its length in bytes, 0 when the
// bytes there are not a valid UTF-8 sequence (overlong forms, surrogates and
// values above U+10FFFF included).
std::size_t Decode(std::string_view text, std::size_t i, char32_t& c) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const std::size_t left = text.size() - i;
  const unsigned char lead = byte(0);
  if (lead >= 0xC2 && lead <= 0xDF && left >= 2 && IsContinuation(byte(1))) {
    c = (char32_t{lead} & 0x1F) << 6 | (byte(1) & 0x3F);
    return 2;
  }
  if (lead >= 0xE0 && lead <= 0xEF && left >= 3 && IsContinuation(byte(1)) &&
      IsContinuation(byte(2))) {
    c = (char32_t{lead} & 0x0F) << 12 | (char32_t{byte(1)} & 0x3F) << 6 | (byte(2) & 0x3F);
    return (c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4 && left >= 4 && IsContinuation(byte(1)) &&
      IsContinuation(byte(2)) && IsContinuation(byte(3))) {
    c = (char32_t{lead} & 0x07) << 18 | (char32_t{byte(1)} & 0x3F) << 12 |
        (char32_t{byte(2)} & 0x3F) << 6 | (byte(3) & 0x3F);
    return (c >= 0x10000 && c <= 0x10FFFF) ? 4 : 0;
  }
  return 0;
}

// The locale's lower case of c, or c itself when the mapping gives no
// character that UTF-8 can hold.
char32_t LocaleLower(char32_t c) {
  const std::wint_t lowered = std::towlower(static_cast<std::wint_t>(c));
  const auto result = static_cast<char32_t>(lowered);
  if (result > 0x10FFFF || (result >= 0xD800 && result <= 0xDFFF) || result == 0) return c;
  return result;
}

}  // namespace

TextLowering::TextLowering() {
  for (std::size_t c = 0; c < kTableSize; ++c) table_[c] = LocaleLower(static_cast<char32_t>(c));
  for (std::size_t c = 0; c < ascii_.size(); ++c) {
    ascii_[c] = table_[c] < 0x80 ? static_cast<char>(table_[c]) : 0;
  }
}

char32_t TextLowering::LowerCharacter(char32_t c) const {
  return c < kTableSize ? table_[c] : LocaleLower(c);
}

void TextLowering::AppendLowered(std::string_view text, std::string& out) const {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      // NUL stays NUL; every other ASCII character has a table entry.
      const char lowered = ascii_[lead];
      if (lowered != 0 || lead == 0) {
        out.push_back(lowered);
      } else {
        AppendUtf8(out, table_[lead]);
      }
      ++i;
      continue;
    }
    char32_t c = 0;
    const std::size_t length = Decode(text, i, c);
    if (length == 0) {
      out.push_back(static_cast<char>(lead));
      ++i;
      continue;
    }
    AppendUtf8(out, LowerCharacter(c));
    i += length;
  }
}

std::string TextLowering::Lower(std::string_view text) const {
  std::string out;
  out.reserve(text.size());
  AppendLowered(text, out);
  return out;
}

}  // namespace toolkit

// Turning bytes read from disk or network into valid UTF-8 text.
#include "toolkit/core/TextEncoding.h"

#include <cstdint>

namespace toolkit {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// True when every byte is printable-or-control ASCII other than NUL, so the
// text is valid UTF-8 as it stands.
bool PlainAscii(std::string_view bytes) {
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b == 0 || b >= 0x80) return false;
  }
  return true;
}

bool InRange(unsigned char b, unsigned char low, unsigned char high) {
  return b >= low && b <= high;
}

}  // namespace

void AppendUtf8(std::string& text, std::uint32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string Latin1ToUtf8(std::string_view bytes) {
  if (PlainAscii(bytes)) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 4 + 8);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b == 0) {
      text += kReplacement;
    } else if (b < 0x80) {
      text += c;
    } else {
      text += static_cast<char>(0xC0 | (b >> 6));
      text += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return text;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
  const auto unitAt = [bytes](std::size_t i) -> std::uint32_t {
    return static_cast<unsigned char>(bytes[i]) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
  };
  const auto isHigh = [](std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
  const auto isLow = [](std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };

  std::string text;
  // Mostly ASCII code: one byte per two; other characters need at most
  // three bytes per two.
  text.reserve(bytes.size() / 2 + bytes.size() / 8 + 8);
  const std::size_t pairs = bytes.size() / 2 * 2;
  std::size_t i = 0;
  while (i < pairs) {
    const std::uint32_t unit = unitAt(i);
    i += 2;
    if (unit == 0) {
      text += kReplacement;
    } else if (isHigh(unit)) {
      // Only a following low surrogate completes the pair; anything else is
      // read again as a unit of its own.
      if (i < pairs && isLow(unitAt(i))) {
        AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(i) - 0xDC00));
        i += 2;
      } else {
        text += kReplacement;
      }
    } else if (isLow(unit)) {
      text += kReplacement;
    } else {
      AppendUtf8(text, unit);
    }
  }
  if (pairs != bytes.size()) text += kReplacement;
  return text;
}

std::string ValidUtf8(std::string_view bytes) {
  if (PlainAscii(bytes)) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size() + 8);
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  while (i < size) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead == 0) {
      text += kReplacement;
      ++i;
      continue;
    }
    if (lead < 0x80) {
      text += static_cast<char>(lead);
      ++i;
      continue;
    }
    // The number of continuation bytes and the allowed range of the first
    // one, which rules out overlong forms, surrogates and values above
    // U+10FFFF. Bytes 80..C1 and F5..FF never start a sequence.
    std::size_t needed = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (InRange(lead, 0xC2, 0xDF)) {
      needed = 1;
    } else if (lead == 0xE0) {
      needed = 2;
      low = 0xA0;
    } else if (InRange(lead, 0xE1, 0xEC) || lead == 0xEE || lead == 0xEF) {
      needed = 2;
    } else if (lead == 0xED) {
      needed = 2;
      high = 0x9F;
    } else if (lead == 0xF0) {
      needed = 3;
      low = 0x90;
    } else if (InRange(lead, 0xF1, 0xF3)) {
      needed = 3;
    } else if (lead == 0xF4) {
      needed = 3;
      high = 0x8F;
    } else {
      text += kReplacement;
      ++i;
      continue;
    }
    // Take the longest valid prefix; a sequence broken off early is one
    // U+FFFD and the byte that broke it is looked at again.
    std::size_t length = 1;
    while (length <= needed && i + length < size) {
      const auto next = static_cast<unsigned char>(bytes[i + length]);
      if (!InRange(next, low, high)) break;
      low = 0x80;
      high = 0xBF;
      ++length;
    }
    if (length == needed + 1) {
      text.append(bytes.substr(i, length));
    } else {
      text += kReplacement;
    }
    i += length;
  }
  return text;
}

std::size_t CountCharacters(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (seen == count) return text.substr(0, i);
      ++seen;
    }
  }
  return text;
}

}  // namespace toolkit

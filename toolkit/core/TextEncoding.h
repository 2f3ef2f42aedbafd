// Turning bytes read from disk or network into valid UTF-8 text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace toolkit {

// Every byte as the ISO-8859-1 character of the same number, in UTF-8.
// A NUL byte becomes U+FFFD.
std::string Latin1ToUtf8(std::string_view bytes);

// UTF-16 little-endian bytes (without their mark) as UTF-8 text. A
// surrogate without its partner, a NUL and an odd last byte each become
// U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);

// The bytes as UTF-8 text: each invalid or truncated sequence becomes one
// U+FFFD per maximal part that could have begun a character, as Unicode
// recommends (a cut sequence gives one, a byte that cannot continue its lead
// gives one of its own: an encoded surrogate or overlong form gives one per
// byte), and so does a NUL byte. Valid text comes back unchanged.
std::string ValidUtf8(std::string_view bytes);

// Appends a code point below U+110000 as UTF-8.
void AppendUtf8(std::string& text, std::uint32_t code);

// The number of Unicode characters of valid UTF-8 text.
std::size_t CountCharacters(std::string_view text);

// The first count characters of valid UTF-8 text (all of it when shorter).
std::string_view FirstCharacters(std::string_view text, std::size_t count);

}  // namespace toolkit

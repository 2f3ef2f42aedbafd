// Turning the bytes of a code file into the text the code view shows.
#pragma once

#include <string>
#include <string_view>

namespace codeview {

// The accepted extensions, tested as a substring of this text.
inline constexpr std::string_view kCodeExtensions = "ox;oxi;oxf";

struct CodeFileText {
  std::string text;                // the shown lines, valid UTF-8, joined with LF
  bool sourceIsUtf8 = false;       // the file began with the UTF-8 byte-order mark
  bool executableUnicode = false;  // the options block holds "; EnableUnicode"
};

// Decodes a code file: the byte-order mark selects UTF-8 or UTF-16LE, any
// other file is single-byte Latin-1 (a UTF-16BE mark is skipped first). The
// mark is never part of the text; invalid sequences, unpaired surrogates and
// NUL become U+FFFD. Lines end at LF, CR LF or CR; leading "?" are removed
// from each line, and the options block from the first line starting with
// "; IDE Options = " to the end of the file is left out.
CodeFileText DecodeCodeFile(std::string_view bytes);

// The extension of a path: the text after its last ".", up to a double quote
// when one follows; empty when a space or "/" comes first scanning from the
// end, when the "." follows "/" or "\", or when the "." starts the text.
// The path is used as given: a trailing CR, say, ends up in the extension.
std::string CodeFileExtension(std::string_view path);

// Whether an extension is not empty and occurs in kCodeExtensions, case
// sensitive. Being a substring test, fragments such as "x" or "i;ox" pass.
bool IsCodeExtension(std::string_view extension);

}  // namespace codeview

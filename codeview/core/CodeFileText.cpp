// Turning the bytes of a code file into the text the code view shows.
#include "codeview/core/CodeFileText.h"

#include <cstddef>

#include "toolkit/core/TextEncoding.h"

namespace codeview {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
// UTF-32 marks; the little-endian one begins like the UTF-16 one.
constexpr std::string_view kUtf32LeMark{"\xFF\xFE\0\0", 4};
constexpr std::string_view kUtf32BeMark{"\0\0\xFE\xFF", 4};

// The language's editor appends this block of comment lines to its files.
constexpr std::string_view kOptionsStart = "; IDE Options = ";
constexpr std::string_view kEnableUnicode = "; EnableUnicode";

// Appends the shown lines of text (valid UTF-8, any of the three line ends)
// to result, joined with LF, and notes what the options block holds. The line
// ends are ASCII, so splitting the UTF-8 bytes never cuts a character.
void AppendShownLines(std::string_view text, CodeFileText& result) {
  bool inOptions = false;
  bool firstShown = true;
  std::size_t start = 0;
  const std::size_t size = text.size();
  while (start < size) {
    // A plain scan: string_view::find_first_of tests each byte against the
    // set one by one and is several times slower on large files.
    std::size_t end = start;
    while (end < size && text[end] != '\n' && text[end] != '\r') ++end;
    std::size_t next = end + 1;
    if (end + 1 < size && text[end] == '\r' && text[end + 1] == '\n') next = end + 2;
    std::string_view line = text.substr(start, end - start);
    start = next;

    const std::size_t firstKept = line.find_first_not_of('?');
    line.remove_prefix(firstKept == std::string_view::npos ? line.size() : firstKept);
    // The prefixes are ASCII, and an ASCII byte in UTF-8 is always a whole
    // character, so comparing bytes compares the first 16 or 15 characters.
    if (inOptions || line.starts_with(kOptionsStart)) {
      inOptions = true;
      if (line.starts_with(kEnableUnicode)) result.executableUnicode = true;
      continue;
    }
    if (!firstShown) result.text += '\n';
    firstShown = false;
    result.text.append(line);
  }
}

}  // namespace

CodeFileText DecodeCodeFile(std::string_view bytes) {
  CodeFileText result;
  std::string text;
  if (bytes.starts_with(kUtf8Mark)) {
    result.sourceIsUtf8 = true;
    text = toolkit::ValidUtf8(bytes.substr(kUtf8Mark.size()));
  } else if (bytes.starts_with(kUtf32LeMark) || bytes.starts_with(kUtf32BeMark)) {
    // Any other mark is skipped and the rest read one character per byte.
    text = toolkit::Latin1ToUtf8(bytes.substr(kUtf32LeMark.size()));
  } else if (bytes.starts_with(kUtf16LeMark)) {
    text = toolkit::Utf16LeToUtf8(bytes.substr(kUtf16LeMark.size()));
  } else if (bytes.starts_with(kUtf16BeMark)) {
    text = toolkit::Latin1ToUtf8(bytes.substr(kUtf16BeMark.size()));
  } else {
    text = toolkit::Latin1ToUtf8(bytes);
  }
  result.text.reserve(text.size());
  AppendShownLines(text, result);
  return result;
}

std::string CodeFileExtension(std::string_view path) {
  for (std::size_t i = path.size(); i-- > 0;) {
    const char c = path[i];
    if (c == ' ' || c == '/') return {};
    if (c != '.') continue;
    if (i == 0 || path[i - 1] == '/' || path[i - 1] == '\\') return {};
    std::string_view extension = path.substr(i + 1);
    return std::string(extension.substr(0, extension.find('"')));
  }
  return {};
}

bool IsCodeExtension(std::string_view extension) {
  return !extension.empty() && kCodeExtensions.find(extension) != std::string_view::npos;
}

}  // namespace codeview

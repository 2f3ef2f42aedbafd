// An INI-style preferences file held as its lines, read and edited the way the
// viewer's preferences file is: settings before the first group only, keys
// compared without regard to ASCII case, the first occurrence of a key
// counting, and every line written back in one normal form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

class PreferenceFile {
 public:
  enum class LineKind { Setting, Comment, Group };
  struct Line {
    LineKind kind = LineKind::Setting;
    std::string key;    // Setting: the key as spelled in the file; Group: the name
    std::string value;  // Setting: the value; Comment: the text after "; "
  };

  // An empty file, as before anything was written to a new one.
  PreferenceFile() = default;

  // The lines of a file's bytes. With the UTF-8 byte-order mark the rest is
  // UTF-8 (invalid sequences and NUL become U+FFFD); without it every byte is
  // an ISO-8859-1 character. Lines end at a line feed or a carriage return;
  // leading spaces and tabs are skipped, empty lines dropped. ";" starts a
  // comment (one blank after it is not part of the text), "[" a group whose
  // name runs to "]". Any other line is a setting: the key runs to the first
  // "=" without trailing blanks, the value starts after "=" and its leading
  // blanks. A line without "=" is a setting whose key is the whole line and
  // whose value is empty.
  static PreferenceFile Parse(std::string_view bytes);

  // Reading. Only settings before the first group are seen.
  // The value of the first setting named key, as stored.
  std::optional<std::string> Value(std::string_view key) const;
  // An optional sign and decimal digits after optional white space; anything
  // after the number is ignored, a value not starting with a number reads as
  // 0, and numbers beyond the 64-bit range saturate. fallback when the key is
  // missing.
  std::int64_t ReadInteger(std::string_view key, std::int64_t fallback) const;
  // The value without spaces and tabs at both ends; fallback when missing.
  std::string ReadText(std::string_view key, std::string_view fallback) const;

  // Writing. A key that exists before the first group gets the new value in
  // place and the program's spelling; a missing key is inserted just before
  // the first group line (at the end when there is none). A comment is
  // inserted after the line written last (at the start when none was written).
  void WriteInteger(std::string_view key, std::int64_t value);
  void WriteText(std::string_view key, std::string_view value);
  void WriteComment(std::string_view text);

  // The file's bytes in the written form: the UTF-8 byte-order mark and one
  // line feed, then each line ("key=value", "; text", "[name]") ending in a
  // line feed.
  std::string Serialize() const;

  const std::vector<Line>& Lines() const { return lines_; }

 private:
  std::vector<Line> lines_;
  std::size_t insertAfterWritten_ = 0;  // where the next comment goes
};

// The integer reading of a value, as ReadInteger describes it.
std::int64_t ParseLeadingInteger(std::string_view value);

}  // namespace toolkit

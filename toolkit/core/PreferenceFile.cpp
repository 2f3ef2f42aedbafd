// An INI-style preferences file held as its lines.
#include "toolkit/core/PreferenceFile.h"

#include <algorithm>
#include <limits>

#include "toolkit/core/TextEncoding.h"

namespace toolkit {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view SkipLeadingBlanks(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  return text.substr(start);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameKey(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// A line break inside a value or comment would split it into lines of its
// own when the file is read again, so every break becomes a blank.
std::string OnOneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return line;
}

PreferenceFile::Line ParseLine(std::string_view line) {
  using Line = PreferenceFile::Line;
  using LineKind = PreferenceFile::LineKind;
  if (line.front() == ';') {
    std::string_view text = line.substr(1);
    if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return Line{LineKind::Comment, {}, std::string(text)};
  }
  if (line.front() == '[') {
    const std::string_view rest = line.substr(1);
    return Line{LineKind::Group, std::string(rest.substr(0, rest.find(']'))), {}};
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    return Line{LineKind::Setting, std::string(TrimTrailingBlanks(line)), {}};
  }
  return Line{LineKind::Setting, std::string(TrimTrailingBlanks(line.substr(0, equals))),
              std::string(SkipLeadingBlanks(line.substr(equals + 1)))};
}

}  // namespace

PreferenceFile PreferenceFile::Parse(std::string_view bytes) {
  const bool utf8 = bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark;
  const std::string text =
      utf8 ? ValidUtf8(bytes.substr(kByteOrderMark.size())) : Latin1ToUtf8(bytes);

  PreferenceFile file;
  const std::string_view all(text);
  std::size_t start = 0;
  while (start < all.size()) {
    std::size_t end = all.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = all.size();
    const std::string_view line = SkipLeadingBlanks(all.substr(start, end - start));
    if (!line.empty()) file.lines_.push_back(ParseLine(line));
    start = end + 1;
  }
  return file;
}

std::optional<std::string> PreferenceFile::Value(std::string_view key) const {
  for (const Line& line : lines_) {
    if (line.kind == LineKind::Group) break;
    if (line.kind == LineKind::Setting && SameKey(line.key, key)) return line.value;
  }
  return std::nullopt;
}

std::int64_t PreferenceFile::ReadInteger(std::string_view key, std::int64_t fallback) const {
  const std::optional<std::string> value = Value(key);
  return value ? ParseLeadingInteger(*value) : fallback;
}

std::string PreferenceFile::ReadText(std::string_view key, std::string_view fallback) const {
  const std::optional<std::string> value = Value(key);
  if (!value) return std::string(fallback);
  return std::string(TrimTrailingBlanks(SkipLeadingBlanks(*value)));
}

void PreferenceFile::WriteInteger(std::string_view key, std::int64_t value) {
  WriteText(key, std::to_string(value));
}

void PreferenceFile::WriteText(std::string_view key, std::string_view value) {
  std::size_t firstGroup = 0;
  for (; firstGroup < lines_.size(); ++firstGroup) {
    Line& line = lines_[firstGroup];
    if (line.kind == LineKind::Group) break;
    if (line.kind == LineKind::Setting && SameKey(line.key, key)) {
      line.key = std::string(key);
      line.value = OnOneLine(value);
      insertAfterWritten_ = firstGroup + 1;
      return;
    }
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(firstGroup),
                Line{LineKind::Setting, std::string(key), OnOneLine(value)});
  insertAfterWritten_ = firstGroup + 1;
}

void PreferenceFile::WriteComment(std::string_view text) {
  const std::size_t at = std::min(insertAfterWritten_, lines_.size());
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                Line{LineKind::Comment, {}, OnOneLine(text)});
  insertAfterWritten_ = at + 1;
}

std::string PreferenceFile::Serialize() const {
  std::size_t size = kByteOrderMark.size() + 1;
  for (const Line& line : lines_) size += line.key.size() + line.value.size() + 3;
  std::string bytes;
  bytes.reserve(size);
  bytes += kByteOrderMark;
  bytes += '\n';
  for (const Line& line : lines_) {
    switch (line.kind) {
      case LineKind::Setting:
        bytes += line.key;
        bytes += '=';
        bytes += line.value;
        break;
      case LineKind::Comment:
        bytes += "; ";
        bytes += line.value;
        break;
      case LineKind::Group:
        bytes += '[';
        bytes += line.key;
        bytes += ']';
        break;
    }
    bytes += '\n';
  }
  return bytes;
}

std::int64_t ParseLeadingInteger(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size() && (IsBlank(value[i]) || value[i] == '\v' || value[i] == '\f')) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
    negative = value[i] == '-';
    ++i;
  }
  // Accumulated on the negative side, which holds one more value than the
  // positive side, so that INT64_MIN itself reads without overflow.
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t magnitude = 0;
  bool saturated = false;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    if (saturated) continue;
    const int digit = value[i] - '0';
    if (magnitude < (kMin + digit) / 10) {
      saturated = true;
    } else {
      magnitude = magnitude * 10 - digit;
    }
  }
  if (saturated) return negative ? kMin : kMax;
  if (negative) return magnitude;
  return magnitude == kMin ? kMax : -magnitude;
}

}  // namespace toolkit

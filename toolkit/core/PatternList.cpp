// The pattern lists of file requesters: "label|pattern;pattern|label|pattern".
#include "toolkit/core/PatternList.h"

namespace toolkit {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return parts;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<FileFilter> ParsePatternList(std::string_view list) {
  std::vector<FileFilter> filters;
  if (list.empty()) return filters;
  const std::vector<std::string_view> fields = Split(list, '|');
  for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
    FileFilter filter{std::string(fields[i]), {}};
    for (std::string_view pattern : Split(fields[i + 1], ';')) {
      pattern = TrimBlanks(pattern);
      if (pattern.empty()) continue;
      filter.patterns.emplace_back(pattern == "*.*" ? "*" : pattern);
    }
    if (!filter.patterns.empty()) filters.push_back(std::move(filter));
  }
  return filters;
}

}  // namespace toolkit

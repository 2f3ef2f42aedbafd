// The pattern lists of file requesters: "label|pattern;pattern|label|pattern".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

struct FileFilter {
  std::string label;
  // Shell-style name patterns. "*.*" in a list stands for every file and
  // comes out as "*", so that names without a dot are shown too.
  std::vector<std::string> patterns;
};

// Splits a pattern list into its filters, in list order. Labels and patterns
// alternate, separated by "|"; one label may have several patterns separated
// by ";". Blanks around a pattern are ignored; a label left without patterns
// is dropped.
std::vector<FileFilter> ParsePatternList(std::string_view list);

}  // namespace toolkit

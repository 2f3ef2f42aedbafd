// The HTML page of the whole index between the two templates.
#include "export/core/WebPageText.h"

#include "library/core/PathRules.h"
#include "toolkit/core/TextLines.h"

namespace exports {
namespace {

constexpr std::string_view kDateWord = "CurrDate";

constexpr std::string_view kButtonStart =
    R"(<input type="button" name="theSubmitButton" id="theSubmitButton" )"
    R"(value="Alle öffnen / schließen" onclick=")";
constexpr std::string_view kButtonEnd = "return false;\"><br />\n<a></a>\n<a></a></p>\n";
constexpr std::string_view kCategoryClose = "</span>\n</p>\n";
constexpr std::string_view kCategoryOpen = "<p>\n";
constexpr std::string_view kFinalClose = "</span>\n</p>";
// U+2B0C, the left-right arrow between the German and the English title.
constexpr std::string_view kSeparator = "&nbsp;&nbsp;&nbsp;\u2B0C&nbsp;&nbsp;&nbsp;";

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares ASCII letters without case; every other byte, those of UTF-8
// sequences included, must be equal.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

void AppendCategoryLink(std::string& out, std::string_view category) {
  out += R"(<img src="Icons/folder.png" style="vertical-align: middle;">)";
  out += R"(<a style="margin-left: 5px;" href="#" onclick="outline(')";
  out += category;
  out += R"('); return false;"><b>)";
  out += category;
  out += "</b></a><br />";
}

void AppendListStart(std::string& out, std::string_view category) {
  out += R"(<span id=")";
  out += category;
  out += R"(" style="display:none; margin-left: 20px;"> )";
}

void AppendEntryLink(std::string& out, const library::IndexEntry& entry,
                     std::string_view platformWord) {
  out += R"(<img src="Icons/folder-documents.png" style="vertical-align: middle;">)";
  out += R"(<a style="margin-left: 5px;" href=")";
  out += library::JoinPath(platformWord, entry.file);
  const bool bold = IsNewEntry(entry);
  out += bold ? R"(" target="_blank"><b>)" : R"(" target="_blank">)";
  out += entry.theme_de;
  out += kSeparator;
  out += entry.theme_en;
  out += bold ? "</b></a><br />" : "</a><br />";
}

}  // namespace

std::string WithDateStamp(std::string_view line, std::string_view stamp) {
  if (line.find(kDateWord) == std::string_view::npos) return std::string(line);
  std::string changed;
  changed.reserve(line.size() + stamp.size());
  std::size_t i = 0;
  while (i < line.size()) {
    if (EqualIgnoringCase(line.substr(i, kDateWord.size()), kDateWord)) {
      changed += stamp;
      i += kDateWord.size();
    } else {
      changed += line[i++];
    }
  }
  return changed;
}

std::string TemplateLines(std::string_view templateText, const std::string* stamp) {
  std::string out;
  out.reserve(templateText.size() + 64);
  for (std::string_view line : toolkit::SplitLines(templateText)) {
    if (stamp) {
      out += WithDateStamp(line, *stamp);
    } else {
      out += line;
    }
    out += '\n';
  }
  return out;
}

std::string WebPageBody(std::span<const ExportRow> rows, std::string_view platformWord) {
  std::string out = "<br />\n";
  out += kButtonStart;
  for (const ExportRow& row : rows) {
    if (row.level != 1) continue;
    out += "outline('";
    out += row.text;
    out += "');";
  }
  out += kButtonEnd;
  out += '\n';

  int previousLevel = 0;
  std::string_view category;
  for (const ExportRow& row : rows) {
    if (row.level == 1) {
      category = row.text;
      if (previousLevel == 2) out += kCategoryClose;
      out += kCategoryOpen;
      AppendCategoryLink(out, category);
      out += '\n';
    } else if (row.level == 2 && (previousLevel == 1 || previousLevel == 2)) {
      if (previousLevel == 1) AppendListStart(out, category);
      AppendEntryLink(out, row.Entry(), platformWord);
      out += '\n';
    }
    previousLevel = row.level;
  }
  out += kFinalClose;
  out += '\n';
  return out;
}

std::string WebPageText(const WebPageInput& input) {
  std::string page = TemplateLines(input.headTemplate, &input.dateStamp);
  page += WebPageBody(input.rows, input.platformWord);
  page += TemplateLines(input.tailTemplate, nullptr);
  return page;
}

}  // namespace exports

// The HTML page of the whole index: the head template with its date stamp,
// the category outline the program writes, and the tail template.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/core/ExportRows.h"

namespace exports {

inline constexpr const char* kHeadTemplateName = "OX-LinuxAPI-Head.html";
inline constexpr const char* kTailTemplateName = "OX-LinuxAPI-Tail.html";
inline constexpr const char* kWebPageName = "OX-LinuxAPI-Lib.html";

// A line holding "CurrDate" in exactly that letter case gets the stamp in
// place of every occurrence of the word in any letter case; other lines stay.
std::string WithDateStamp(std::string_view line, std::string_view stamp);

// Every line of a template followed by one LF. With a stamp, lines get it as
// WithDateStamp gives it.
std::string TemplateLines(std::string_view templateText, const std::string* stamp);

// What the program itself writes between the templates: the "<br />" line,
// the button line that opens and closes every category, one folder per
// category with the links of the rows directly below it, and the final close.
// Entry links are the platform word joined with the entry's file.
std::string WebPageBody(std::span<const ExportRow> rows, std::string_view platformWord);

struct WebPageInput {
  std::string_view headTemplate;  // the templates' bytes
  std::string_view tailTemplate;
  std::span<const ExportRow> rows;
  std::string_view platformWord = "Linux";
  std::string dateStamp;
};

// The whole page: head template with the date stamp, body, tail template unchanged.
std::string WebPageText(const WebPageInput& input);

}  // namespace exports

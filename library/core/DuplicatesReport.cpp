// The text of the protocol of repeated database entries.
#include "library/core/DuplicatesReport.h"

#include <string_view>
#include <vector>

#include "library/core/PathRules.h"

namespace library {
namespace {

struct Section {
  std::string_view prefix;
  std::string_view IndexEntry::*field;
};

constexpr Section kSections[] = {
    {"File: ", &IndexEntry::file},
    {"FunctionDe: ", &IndexEntry::theme_de},
    {"DescriptDe: ", &IndexEntry::descript_de},
    {"FunctionEn: ", &IndexEntry::theme_en},
    {"DescriptEn: ", &IndexEntry::descript_en},
};

void AppendPair(std::string& out, std::string_view prefix, std::string_view first,
                std::string_view firstGroup, std::string_view second,
                std::string_view secondGroup) {
  out += prefix;
  out += first;
  out += '[';
  out += firstGroup;
  out += "] = ";
  out += second;
  out += '[';
  out += secondGroup;
  out += "]\n";
}

// The text after the last "/" of each entry's file, computed once: the file
// section compares it for every pair.
std::vector<std::string> FileNameParts(std::span<const IndexEntry> entries) {
  std::vector<std::string> parts;
  parts.reserve(entries.size());
  for (const IndexEntry& entry : entries) parts.push_back(FilePart(entry.file));
  return parts;
}

}  // namespace

std::string DuplicatesReport(std::string_view databaseFileName,
                             std::span<const IndexEntry> entries) {
  std::string out = "Doppelte xml-Einträge in ";
  out += databaseFileName;
  out += ":\n";
  const std::vector<std::string> fileNames = FileNameParts(entries);
  for (const Section& section : kSections) {
    out += '\n';
    const bool fileSection = section.field == &IndexEntry::file;
    for (std::size_t a = 0; a < entries.size(); ++a) {
      const std::string_view first = entries[a].*section.field;
      if (first.empty()) continue;
      for (std::size_t b = a + 1; b < entries.size(); ++b) {
        const std::string_view second = entries[b].*section.field;
        if (second == first) {
          AppendPair(out, section.prefix, first, entries[a].group, second, entries[b].group);
        }
        // A file value ending in "/" names no file: its empty name part
        // matches nothing.
        if (fileSection && !fileNames[a].empty() && fileNames[b] == fileNames[a]) {
          AppendPair(out, section.prefix, fileNames[a], entries[a].group, fileNames[b],
                     entries[b].group);
        }
      }
    }
  }
  return out;
}

}  // namespace library

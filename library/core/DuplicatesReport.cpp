// The text of the protocol of repeated database entries.
#include "library/core/DuplicatesReport.h"

#include <span>
#include <string_view>
#include <unordered_map>
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

// The text after the last "/" of each entry's file, computed once.
std::vector<std::string> FileNameParts(std::span<const IndexEntry> entries) {
  std::vector<std::string> parts;
  parts.reserve(entries.size());
  for (const IndexEntry& entry : entries) parts.push_back(FilePart(entry.file));
  return parts;
}

// The entries grouped by a key, so that each entry's later equals are found
// without comparing every pair: a library of tens of thousands of entries
// has billions of pairs, which kept the program from answering for seconds.
// Each group lists its entries in list order, and each entry knows its place
// in its group.
class LaterEquals {
 public:
  // An empty key gives the entry no group.
  explicit LaterEquals(const std::vector<std::string_view>& keys)
      : places_(keys.size(), Place{kNoGroup, 0}) {
    std::unordered_map<std::string_view, std::size_t> groupOfKey;
    groupOfKey.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (keys[i].empty()) continue;
      const auto [found, added] = groupOfKey.try_emplace(keys[i], groups_.size());
      if (added) groups_.emplace_back();
      std::vector<std::size_t>& group = groups_[found->second];
      places_[i] = Place{found->second, group.size()};
      group.push_back(i);
    }
  }

  // The entries after entry i with its key, in list order.
  std::span<const std::size_t> After(std::size_t i) const {
    const Place place = places_[i];
    if (place.group == kNoGroup) return {};
    return std::span<const std::size_t>(groups_[place.group]).subspan(place.index + 1);
  }

 private:
  static constexpr std::size_t kNoGroup = static_cast<std::size_t>(-1);
  struct Place {
    std::size_t group;
    std::size_t index;
  };
  std::vector<std::vector<std::size_t>> groups_;
  std::vector<Place> places_;
};

void AppendEqualValues(std::string& out, const Section& section,
                       std::span<const IndexEntry> entries) {
  std::vector<std::string_view> values;
  values.reserve(entries.size());
  for (const IndexEntry& entry : entries) values.push_back(entry.*section.field);
  const LaterEquals equals(values);
  for (std::size_t a = 0; a < entries.size(); ++a) {
    for (const std::size_t b : equals.After(a)) {
      AppendPair(out, section.prefix, values[a], entries[a].group, values[b], entries[b].group);
    }
  }
}

// Equal files give a line for the path and one for the name part; equal
// name parts in other folders only the name line. Equal files have equal
// name parts, so the entries are grouped by name part, and those whose file
// ends in "/" (no name part, which matches nothing) by the file alone.
void AppendEqualFiles(std::string& out, std::string_view prefix,
                      std::span<const IndexEntry> entries) {
  const std::vector<std::string> names = FileNameParts(entries);
  std::vector<std::string_view> byName;
  std::vector<std::string_view> byFolder;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    byName.push_back(names[i]);
    byFolder.push_back(names[i].empty() ? entries[i].file : std::string_view());
  }
  const LaterEquals sameName(byName);
  const LaterEquals sameFolder(byFolder);
  for (std::size_t a = 0; a < entries.size(); ++a) {
    const IndexEntry& first = entries[a];
    for (const std::size_t b : sameFolder.After(a)) {
      AppendPair(out, prefix, first.file, first.group, entries[b].file, entries[b].group);
    }
    for (const std::size_t b : sameName.After(a)) {
      const IndexEntry& second = entries[b];
      if (second.file == first.file) {
        AppendPair(out, prefix, first.file, first.group, second.file, second.group);
      }
      AppendPair(out, prefix, names[a], first.group, names[b], second.group);
    }
  }
}

}  // namespace

std::string DuplicatesReport(std::string_view databaseFileName,
                             std::span<const IndexEntry> entries) {
  std::string out = "Doppelte xml-Einträge in ";
  out += databaseFileName;
  out += ":\n";
  for (const Section& section : kSections) {
    out += '\n';
    if (section.field == &IndexEntry::file) {
      AppendEqualFiles(out, section.prefix, entries);
    } else {
      AppendEqualValues(out, section, entries);
    }
  }
  return out;
}

}  // namespace library

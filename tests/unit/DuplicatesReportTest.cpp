// The protocol of repeated database entries: the golden protocol of a fixture
// database and the pairs that are never reported.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "library/core/DuplicatesReport.h"
#include "library/core/IndexFill.h"
#include "library/core/XmlParsing.h"
#include "support/TempDirectory.h"

namespace library {
namespace {

std::string ExportData(const std::string& name) {
  const char* root = std::getenv("ORVEX_TEST_DATA");
  return TempDirectory::Read(std::string(root ? root : "") + "/exports/" + name);
}

IndexEntry Entry(std::string_view group, std::string_view file, std::string_view themeDe = "") {
  IndexEntry entry;
  entry.group = group;
  entry.file = file;
  entry.theme_de = themeDe;
  return entry;
}

TEST(DuplicatesReport, FixtureDatabaseMatchesItsGoldenProtocol) {
  // Three equal German titles give three lines; equal files give a path line
  // and a name line, equal names in other folders only the name line; empty
  // fields, a title with a mark and one in other letter case are not repeats.
  XmlDocument document;
  ParseXmlBytes(ExportData("duplicates.xml"), document);
  const IndexFill fill = BuildIndex(document, {});
  const std::string golden = ExportData("duplicates-protocol.txt");
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(DuplicatesReport("duplicates.xml", fill.entries), golden);
}

TEST(DuplicatesReport, AnEmptyListGivesTheHeadingAndFiveEmptyLines) {
  EXPECT_EQ(DuplicatesReport("OX-LinuxAPI-Toc.xml", {}),
            "Doppelte xml-Einträge in OX-LinuxAPI-Toc.xml:\n\n\n\n\n\n");
}

TEST(DuplicatesReport, FileNamesComparedOnlyWhereThereIsAName) {
  const std::vector<IndexEntry> entries = {
      Entry("A", "Dir/"),   Entry("B", "Dir/"),    Entry("C", ""),
      Entry("D", "Other/"), Entry("E", "Name.ox"), Entry("F", "Deep/Dir/Name.ox"),
  };
  EXPECT_EQ(DuplicatesReport("db.xml", entries),
            "Doppelte xml-Einträge in db.xml:\n"
            "\n"
            "File: Dir/[A] = Dir/[B]\n"
            "File: Name.ox[E] = Name.ox[F]\n"
            "\n\n\n\n");
}

TEST(DuplicatesReport, TitlesWithAndWithoutMarksAreComparedAsTheEntriesHoldThem) {
  XmlDocument document;
  ParseXmlBytes(ExportData("duplicates.xml"), document);
  IndexFillOptions withoutMarks;
  withoutMarks.marksShown = false;
  const std::string report = DuplicatesReport("d", BuildIndex(document, withoutMarks).entries);
  EXPECT_NE(report.find("FunctionDe: Fenster schließen[Windows] = Fenster schließen[Buttons]\n"),
            std::string::npos)
      << "without marks the German titles lose theirs and become equal";
}

TEST(DuplicatesReport, ALargeLibraryIsReportedInListOrderWithoutComparingEveryPair) {
  // 100,000 entries, every field distinct but for three repeats placed far
  // apart. Comparing every pair took minutes for this many, and the program
  // did not answer meanwhile.
  constexpr std::size_t kCount = 100'000;
  std::vector<std::string> texts;
  texts.reserve(kCount * 3);
  std::vector<IndexEntry> entries(kCount);
  for (std::size_t i = 0; i < kCount; ++i) {
    const std::string number = std::to_string(i);
    texts.push_back("G" + std::to_string(i / 500));
    texts.push_back("Dir" + std::to_string(i % 7) + "/File" + number + ".ox");
    texts.push_back("Titel " + number);
    entries[i].group = texts[texts.size() - 3];
    entries[i].file = texts[texts.size() - 2];
    entries[i].theme_de = texts.back();
  }
  entries[99'999].file = entries[3].file;
  entries[70'000].file = "Elsewhere/File3.ox";
  entries[50'000].theme_de = entries[10].theme_de;
  const auto started = std::chrono::steady_clock::now();
  const std::string report = DuplicatesReport("db.xml", entries);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
  EXPECT_EQ(report,
            "Doppelte xml-Einträge in db.xml:\n"
            "\n"
            "File: File3.ox[G0] = File3.ox[G140]\n"
            "File: Dir3/File3.ox[G0] = Dir3/File3.ox[G199]\n"
            "File: File3.ox[G0] = File3.ox[G199]\n"
            "File: File3.ox[G140] = File3.ox[G199]\n"
            "\n"
            "FunctionDe: Titel 10[G0] = Titel 10[G100]\n"
            "\n\n\n");
}

}  // namespace
}  // namespace library

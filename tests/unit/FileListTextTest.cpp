// The list of code files: the fixture library's files, present and missing,
// and the rows the list walks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "export/core/ExportRows.h"
#include "export/core/FileListText.h"
#include "library/core/IndexFill.h"
#include "library/core/XmlParsing.h"
#include "support/TempDirectory.h"

namespace exports {
namespace {

std::string ExportDataPath(const std::string& name) {
  const char* root = std::getenv("ORVEX_TEST_DATA");
  return std::string(root ? root : "") + "/exports/" + name;
}

library::IndexFill FixtureIndex() {
  library::XmlDocument document;
  library::ParseXmlBytes(TempDirectory::Read(ExportDataPath("library.xml")), document);
  return library::BuildIndex(document, {});
}

TEST(FileListText, FixtureLibraryMatchesItsGoldenFile) {
  const library::IndexFill fill = FixtureIndex();
  const std::vector<ExportRow> rows = PairRows(fill.rows, fill.entries, 0);
  const std::string golden = TempDirectory::Read(ExportDataPath("library-filelist.txt"));
  ASSERT_FALSE(golden.empty());
  // Entries without a file are left out; a folder where the file belongs
  // counts as missing; the library path may end in "/" or not.
  EXPECT_EQ(FileListText(rows, ExportDataPath("lib")), golden);
  EXPECT_EQ(FileListText(rows, ExportDataPath("lib/")), golden);
}

TEST(FileListText, WalksFromTheFirstContentRowAndMarksEveryFileOfAMissingLibrary) {
  const library::IndexFill fill = FixtureIndex();
  const std::vector<ExportRow> rows = PairRows(fill.rows, fill.entries, 9);
  EXPECT_EQ(FileListText(rows, ExportDataPath("no-such-folder")),
            "Panic/Calm.ox\tmissing\nDeep/Top.ox\tmissing\nDeep/Below.ox\tmissing\n"
            "Deep/After.ox\tmissing\nDeep/StillAfter.ox\tmissing\n");
  EXPECT_EQ(FileListText({}, ExportDataPath("lib")), "");
}

TEST(ExportRows, PairingKeepsRowsWithoutEntriesAndClampsTheFirstRow) {
  const library::IndexFill fill = FixtureIndex();
  const std::span<const library::IndexEntry> fewer(fill.entries.data(), 5);
  const std::vector<ExportRow> rows = PairRows(fill.rows, fewer, -4);
  ASSERT_EQ(rows.size(), fill.rows.size());
  EXPECT_EQ(rows[4].Entry().file, "Basics/NewWindow.ox");
  EXPECT_EQ(rows[5].entry, nullptr);
  EXPECT_EQ(rows[5].Entry().file, "") << "a row past the entry list reads as empty";
  EXPECT_EQ(rows[5].text, "Geänderte Schleife");
  EXPECT_TRUE(PairRows(fill.rows, fill.entries, 17).empty());
  EXPECT_TRUE(PairRows(fill.rows, fill.entries, 1000).empty());
}

}  // namespace
}  // namespace exports

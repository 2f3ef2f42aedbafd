// The forum-posting text: golden files of the fixture library with and
// without marks, and the lines a walk writes around empty categories.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "export/core/ExportRows.h"
#include "export/core/PostingText.h"
#include "library/core/IndexFill.h"
#include "library/core/XmlParsing.h"
#include "support/TempDirectory.h"

namespace exports {
namespace {

std::string ExportData(const std::string& name) {
  const char* root = std::getenv("ORVEX_TEST_DATA");
  return TempDirectory::Read(std::string(root ? root : "") + "/exports/" + name);
}

TEST(PostingText, FixtureLibraryMatchesItsGoldenFiles) {
  struct Case {
    long language;
    bool marksShown;
    const char* golden;
  };
  const Case cases[] = {
      {0, true, "library-posting.txt"},
      // Without marks the German index drops the new marks from the German
      // titles, so no entry is new: one empty line per category with rows.
      {0, false, "library-posting-nomarks.txt"},
      // An English index drops only the English marks; the German titles
      // keep theirs and the new entries are still found.
      {1, false, "library-posting.txt"},
  };
  library::XmlDocument document;
  library::ParseXmlBytes(ExportData("library.xml"), document);
  for (const Case& c : cases) {
    library::IndexFillOptions options;
    options.language = static_cast<library::Language>(c.language);
    options.marksShown = c.marksShown;
    const library::IndexFill fill = library::BuildIndex(document, options);
    ASSERT_EQ(fill.rows.size(), 17u);
    const std::string golden = ExportData(c.golden);
    ASSERT_FALSE(golden.empty()) << c.golden;
    EXPECT_EQ(PostingText(PairRows(fill.rows, fill.entries, 0)), golden)
        << c.golden << ", language " << c.language;
  }
}

TEST(PostingText, EmptyLinesOnlyForCategoriesWithRowsDirectlyBelowThem) {
  library::IndexEntry fresh;
  fresh.theme_de = "\u2730Neu";
  library::IndexEntry changed;
  changed.theme_de = "\u21BAAlt";
  EXPECT_EQ(PostingText({}), "");
  const ExportRow rows[] = {
      {0, "Root", nullptr}, {1, "Empty", nullptr},   {1, "A", nullptr},    {2, "Alt", &changed},
      {2, "Neu", &fresh},   {1, "B", nullptr},       {2, "Ohne", nullptr}, {3, "Tief", &fresh},
      {2, "Neu", &fresh},   {1, "C & <D>", nullptr}, {2, "Neu", &fresh},
  };
  EXPECT_EQ(PostingText(rows),
            "\n[b]A[/b]: \t\u2730Neu\n"
            "\n"
            "\n[b]C & <D>[/b]: \t\u2730Neu\n");
}

}  // namespace
}  // namespace exports

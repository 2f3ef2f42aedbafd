// The HTML page of the index: golden pages built from fixture databases, the
// template line ends, the date stamp and the joins of the entry links.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "export/core/DateStamp.h"
#include "export/core/ExportRows.h"
#include "export/core/WebPageText.h"
#include "library/core/IndexFill.h"
#include "library/core/XmlParsing.h"
#include "support/TempDirectory.h"

namespace exports {
namespace {

std::string ExportData(const std::string& name) {
  const char* root = std::getenv("ORVEX_TEST_DATA");
  return TempDirectory::Read(std::string(root ? root : "") + "/exports/" + name);
}

// A fixture database as the index tree shows it, with its entry list.
struct Index {
  library::IndexFill fill;
  std::vector<ExportRow> rows;
};

Index IndexOf(const std::string& database) {
  Index index;
  library::XmlDocument document;
  library::ParseXmlBytes(ExportData(database), document);
  index.fill = library::BuildIndex(document, {});
  index.rows = PairRows(index.fill.rows, index.fill.entries, 0);
  return index;
}

WebPageInput FixtureInput(const std::string& head, const std::string& tail,
                          std::span<const ExportRow> rows) {
  return {head, tail, rows, "Linux", DateStamp(2026, 12, 6)};
}

TEST(WebPageText, PageOfTheFixtureLibraryMatchesItsGoldenFile) {
  const std::string head = ExportData("Head.html");
  const std::string tail = ExportData("Tail.html");
  // The head template is what checks the line ends: CR LF, a lone CR, and a
  // last line without any.
  ASSERT_NE(head.find("\r\n"), std::string::npos);
  ASSERT_NE(head.find("\r "), std::string::npos);
  ASSERT_NE(head.back(), '\n');

  const Index index = IndexOf("library.xml");
  ASSERT_EQ(index.rows.size(), 17u);
  EXPECT_EQ(WebPageText(FixtureInput(head, tail, index.rows)), ExportData("library.html"));
}

TEST(WebPageText, AnIndexWithoutCategoriesGivesOnlyTheFrame) {
  const std::string head = ExportData("Head.html");
  const std::string tail = ExportData("Tail.html");
  const std::string golden = ExportData("empty.html");
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(WebPageText(FixtureInput(head, tail, {})), golden) << "no rows at all";
  const Index rootOnly = IndexOf("empty.xml");
  ASSERT_EQ(rootOnly.rows.size(), 1u);
  EXPECT_EQ(WebPageText(FixtureInput(head, tail, rootOnly.rows)), golden) << "the root row only";
}

TEST(WebPageText, EntryLinksJoinThePlatformWordAndTheFileWithOneSlash) {
  struct Case {
    const char* platform;
    const char* file;
    const char* href;
  };
  const Case cases[] = {
      {"Linux", "G/B.ox", "href=\"Linux/G/B.ox\""},
      {"Linux", "/G/B.ox", "href=\"Linux/G/B.ox\""},
      {"Linux/", "G/B.ox", "href=\"Linux/G/B.ox\""},
      {"", "G/B.ox", "href=\"G/B.ox\""},
  };
  for (const Case& c : cases) {
    library::IndexEntry entry;
    entry.file = c.file;
    const ExportRow rows[] = {{1, "C", nullptr}, {2, "T", &entry}};
    EXPECT_NE(WebPageBody(rows, c.platform).find(c.href), std::string::npos)
        << c.platform << " + " << c.file;
  }
}

TEST(WebPageText, TemplateLinesEndAtLineFeedCarriageReturnOrBoth) {
  EXPECT_EQ(TemplateLines("x\r\ny\rz", nullptr), "x\ny\nz\n");
}

TEST(WebPageText, DateStampReplacesTheWordInAnyCaseOnlyInLinesWithItsExactSpelling) {
  const std::string stamp = "06. Dec. 2026";
  EXPECT_EQ(WithDateStamp("Stand: CurrDate", stamp), "Stand: 06. Dec. 2026");
  EXPECT_EQ(WithDateStamp("currdateCurrDateCURRDATE", stamp), stamp + stamp + stamp);
  EXPECT_EQ(WithDateStamp("CurrCurrDate", stamp), "Curr" + stamp);
  EXPECT_EQ(WithDateStamp("Ä CurrDate ö", stamp), "Ä " + stamp + " ö");
  EXPECT_EQ(WithDateStamp("only currdate here", stamp), "only currdate here");
  EXPECT_EQ(WithDateStamp("CurrDat", stamp), "CurrDat");
  // The tail template is copied unchanged.
  EXPECT_EQ(TemplateLines("CurrDate", nullptr), "CurrDate\n");
}

TEST(DateStamp, DayMonthWordAndYear) {
  EXPECT_EQ(DateStamp(2026, 12, 6), "06. Dec. 2026");
  EXPECT_EQ(DateStamp(2027, 1, 31), "31. Jan. 2027");
  EXPECT_EQ(DateStamp(987, 5, 1), "01. May. 0987");
  // Moments around a change of year, in the time zone the tests pin (UTC).
  EXPECT_EQ(DateStampOf(1798761599), "31. Dec. 2026");
  EXPECT_EQ(DateStampOf(1798761600), "01. Jan. 2027");
  EXPECT_EQ(DateStampOf(1772323200), "01. Mar. 2026") << "the day after 28 February";
}

}  // namespace
}  // namespace exports

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "library/core/DatabasePreparation.h"
#include "support/TempDirectory.h"

namespace library {
namespace {

constexpr const char* kDatabase =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<library Name='Lib'>Orvex Linux API 2026-12-01 examples\n"
    "  <category Name='Fenster'>Windows\n"
    "    <entry theme_de='\u2730Neu' theme_en='New' theme_fr='Neuf' descript_de='d' "
    "File='Windows/New.ox'/>\n"
    "    <entry theme_de='Alt' theme_en='Old' theme_fr='Vieux' File='Windows/Old.ox'/>\n"
    "  </category>\n"
    "</library>\n";

// The worker gives what loading and building on the calling thread give.
TEST(DatabasePreparation, GivesTheSameRowsAndEntriesAsLoadingDirectly) {
  const TempDirectory folder;
  const std::string path = folder.Write("db.xml", kDatabase);
  IndexFillOptions options;
  options.language = Language::English;

  XmlDocument document;
  ASSERT_EQ(LoadXmlFile(path, document), XmlLoadResult::Parsed);
  const IndexFill direct = BuildIndex(document, options);

  DatabasePreparation preparation(path, options);
  EXPECT_EQ(preparation.Path(), path);
  PreparedDatabase prepared = preparation.Take();
  EXPECT_EQ(prepared.result, XmlLoadResult::Parsed);
  EXPECT_EQ(prepared.document.elements.size(), document.elements.size());
  EXPECT_TRUE(prepared.options == options);
  ASSERT_TRUE(prepared.fill.has_value());
  ASSERT_EQ(prepared.fill->rows.size(), direct.rows.size());
  for (std::size_t i = 0; i < direct.rows.size(); ++i) {
    EXPECT_EQ(prepared.fill->rows[i].text, direct.rows[i].text) << i;
    EXPECT_EQ(prepared.fill->rows[i].level, direct.rows[i].level) << i;
    EXPECT_EQ(prepared.fill->entries[i].file, direct.entries[i].file) << i;
  }
  EXPECT_EQ(prepared.fill->rows[2].text, "New");
  EXPECT_EQ(prepared.fill->versionWord, direct.versionWord);
}

// Files that cannot be read, or hold an XML error, give no rows; the caller
// reports them as it does for a direct load.
TEST(DatabasePreparation, UnreadableAndBrokenFilesGiveNoRows) {
  const TempDirectory folder;
  const std::string broken = folder.Write("broken.xml", "<library>\n<category>\n</library>");
  const std::string empty = folder.Write("empty.xml", "");

  for (const std::string& path : {std::string(), empty, folder.Path(), folder.Path() + "/none"}) {
    const PreparedDatabase prepared = DatabasePreparation(path, {}).Take();
    EXPECT_EQ(prepared.result, XmlLoadResult::CannotOpen) << path;
    EXPECT_FALSE(prepared.fill.has_value()) << path;
  }
  const PreparedDatabase prepared = DatabasePreparation(broken, {}).Take();
  EXPECT_EQ(prepared.result, XmlLoadResult::Parsed);
  EXPECT_NE(prepared.document.errorCode, 0);
  EXPECT_EQ(prepared.document.errorLine, 3);
  EXPECT_FALSE(prepared.fill.has_value());
}

// A preparation dropped without taking its result waits for its worker, so
// nothing reads freed memory; many at once do not disturb each other.
TEST(DatabasePreparation, DroppedAndParallelPreparationsAreSafe) {
  const TempDirectory folder;
  const std::string path = folder.Write("db.xml", kDatabase);
  { DatabasePreparation dropped(path, {}); }

  std::vector<std::unique_ptr<DatabasePreparation>> preparations;
  for (int i = 0; i < 8; ++i) {
    IndexFillOptions options;
    options.language = static_cast<Language>(i % 3);
    preparations.push_back(std::make_unique<DatabasePreparation>(path, options));
  }
  const char* titles[] = {"Neu", "New", "Neuf"};
  for (int i = 0; i < 8; ++i) {
    const PreparedDatabase prepared = preparations[static_cast<std::size_t>(i)]->Take();
    ASSERT_TRUE(prepared.fill.has_value());
    EXPECT_EQ(prepared.fill->rows[2].text, titles[i % 3]) << i;
  }
}

}  // namespace
}  // namespace library

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "library/core/IndexFill.h"
#include "library/core/XmlParsing.h"
#include "support/KeptText.h"

namespace library {
namespace {

constexpr int kGrey127 = 127 * 0x010101;

using Attributes = std::vector<std::pair<std::string, std::string>>;

XmlElement Element(int depth, const Attributes& attributes, std::string_view text = "") {
  auto* kept = static_cast<XmlAttribute*>(testsupport::KeptTexts().Allocate(
      attributes.size() * sizeof(XmlAttribute), alignof(XmlAttribute)));
  for (std::size_t i = 0; i < attributes.size(); ++i) {
    std::construct_at(kept + i, XmlAttribute{testsupport::Kept(attributes[i].first),
                                             testsupport::Kept(attributes[i].second)});
  }
  return XmlElement{"e", {kept, attributes.size()}, testsupport::Kept(text), depth};
}

// A root, one category and one element below it with the given titles.
XmlDocument EntryDocument(const std::string& de, const std::string& en, const std::string& fr) {
  XmlDocument document;
  document.elements = {Element(0, {{"name", "Library"}}), Element(1, {{"name", "Cat"}}),
                       Element(2, {{"theme_de", de}, {"theme_en", en}, {"theme_fr", fr}})};
  return document;
}

TEST(IndexFill, RowTextsMarksAndIcons) {
  struct Case {
    const char* de;
    const char* en;
    const char* fr;
    long language;
    bool marksShown;
    const char* rowText;
    RowIcon icon;
    const char* storedDe;
    const char* storedEn;
  };
  const Case cases[] = {
      {"✰Neu", "New", "Neuf", 0, true, "Neu", RowIcon::New, "✰Neu", "New"},
      {"✰Neu", "New", "Neuf", 0, false, "Neu", RowIcon::None, "Neu", "New"},
      {"↺Alt", "Old", "Vieux", 1, true, "Old", RowIcon::Changed, "↺Alt", "Old"},
      {"↺Alt", "↺Old", "Vieux", 1, true, "Old", RowIcon::Changed, "↺Alt", "↺Old"},
      {"↺Alt", "↺Old", "Vieux", 1, false, "Old", RowIcon::None, "↺Alt", "Old"},
      {"Neu", "✰New", "Neuf", 0, true, "Neu", RowIcon::None, "Neu", "✰New"},
      {"De", "En", "✰Fr", 2, true, "Fr", RowIcon::None, "De", "En"},
      {"De", "En", "Fr", 7, true, "Fr", RowIcon::None, "De", "En"},
      {"De", "En", "Fr", -1, true, "Fr", RowIcon::None, "De", "En"},
      {"x✰", "", "", 0, false, "x✰", RowIcon::None, "x✰", ""},
      {"✰", "", "", 0, true, "", RowIcon::New, "✰", ""},
      {"", "English", "", 0, true, "", RowIcon::None, "", "English"},
  };
  for (const Case& c : cases) {
    IndexFillOptions options;
    options.language = static_cast<Language>(c.language);
    options.marksShown = c.marksShown;
    const IndexFill fill = BuildIndex(EntryDocument(c.de, c.en, c.fr), options);
    ASSERT_EQ(fill.rows.size(), 3u);
    const std::string label = std::string(c.de) + "/" + c.en + " " + std::to_string(c.language);
    EXPECT_EQ(fill.rows[2].level, 2) << label;
    EXPECT_EQ(fill.rows[2].text, c.rowText) << label;
    EXPECT_EQ(fill.rows[2].icon, c.icon) << label;
    EXPECT_EQ(fill.entries[2].theme_de, c.storedDe) << label;
    EXPECT_EQ(fill.entries[2].theme_en, c.storedEn) << label;
  }
}

TEST(IndexFill, CaptionsGroupsAndEntryFields) {
  XmlDocument document;
  document.elements = {
      Element(0, {{"name", "Library"}, {"theme_de", "ignored"}}, "  Orvex API Library 7.1 x \n"),
      Element(1, {{"a", "First"}, {"b", "Second"}}, "Category text"),
      Element(2,
              {{"theme_de", "T"},
               {"descript_de", "dd"},
               {"theme_en", "TE"},
               {"descript_en", "de"},
               {"theme_fr", "TF"},
               {"descript_fr", "df"},
               {"File", "/A/b.ox"}},
              "\tentry\r\n"),
      Element(1, {{"name", ""}}), Element(2, {})};
  const IndexFill fill = BuildIndex(document, IndexFillOptions{});
  ASSERT_EQ(fill.rows.size(), 5u);
  EXPECT_EQ(fill.rows[0].text, "Library");
  EXPECT_EQ(fill.rows[1].text, "Second");
  EXPECT_EQ(fill.rows[3].text, "");
  const IndexEntry& entry = fill.entries[2];
  EXPECT_EQ(entry.text, "entry");
  EXPECT_EQ(entry.group, "Second");
  EXPECT_EQ(std::string(entry.theme_de) + std::string(entry.descript_de) +
                std::string(entry.theme_en) + std::string(entry.descript_en) +
                std::string(entry.theme_fr) + std::string(entry.descript_fr) +
                std::string(entry.file),
            "TddTEdeTFdf/A/b.ox");
  const char* groups[] = {"Library", "Second", "Second", "Second", "Second"};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(fill.entries[i].group, groups[i]) << i;
  EXPECT_EQ(fill.entries[0].text, "Orvex API Library 7.1 x");
  EXPECT_EQ(fill.versionWord, "7.1");
}

TEST(IndexFill, VersionWordIsTheFourthWordSplitOnSingleSpaces) {
  const std::pair<const char*, const char*> cases[] = {
      {"Orvex API Library 2024.1 build", "2024.1"},
      {"Orvex API Library", ""},
      {"", ""},
      {"a  b c d", "c"},
      {"a b c d", "d"},
  };
  for (const auto& [text, word] : cases) {
    XmlDocument document;
    document.elements = {Element(0, {}, text)};
    EXPECT_EQ(BuildIndex(document, IndexFillOptions{}).versionWord, word) << text;
  }
}

TEST(IndexFill, RowColours) {
  XmlDocument document;
  document.elements = {Element(0, {{"name", "ZUR Erirada Vuvazo"}}),
                       Element(1, {{"name", "A"}}),
                       Element(2, {{"theme_de", "x"}}),
                       Element(1, {{"name", "B"}}),
                       Element(1, {{"name", "ZUR Erirada Vuvazo"}}),
                       Element(1, {{"name", "C"}}),
                       Element(1, {{"name", "D"}})};
  for (const bool dark : {false, true}) {
    IndexFillOptions options;
    options.darkColours = dark;
    const IndexFill fill = BuildIndex(document, options);
    const int odd = (dark ? 176 : 240) * 0x010101;
    const int even = (dark ? 161 : 232) * 0x010101;
    const int expected[] = {kGrey127, odd, -1, even, 184 * 0x010101, even, odd};
    for (std::size_t i = 0; i < fill.rows.size(); ++i) {
      EXPECT_EQ(fill.rows[i].background, expected[i]) << i << " dark " << dark;
      EXPECT_EQ(fill.rows[i].textColour, i == 0 ? 0xFFFFFF : -1) << i;
    }
  }
}

TEST(IndexFill, HelpEntryIsTheLastFileNamedViewerHelp) {
  XmlDocument document;
  document.elements = {Element(0, {}),
                       Element(1, {}),
                       Element(2, {{"File", "Viewer/ViewerHelp.txt"}}),
                       Element(2, {{"File", "ViewerHelp.txt"}}),
                       Element(2, {{"File", "Docs/MyViewerHelp.txt"}}),
                       Element(2, {{"File", "ViewerHelp.txt/x"}})};
  EXPECT_EQ(BuildIndex(document, IndexFillOptions{}).helpEntryIndex, 3);
  document.elements.resize(2);
  EXPECT_FALSE(BuildIndex(document, IndexFillOptions{}).helpEntryIndex);
}

TEST(IndexFill, CountsTopicsAndEntriesOutsideTheViewersChapter) {
  XmlDocument document;
  document.elements = {
      Element(0, {{"name", "Library"}}),
      Element(1, {{"name", "A"}}),                   // topic
      Element(2, {{"File", "a.ox"}}),                // entry
      Element(2, {}),                                // no file
      Element(2, {{"File", "t.ox"}}),                // has children
      Element(3, {{"File", "deep.ox"}}),             // too deep
      Element(1, {{"name", "ZUR Erirada Vuvazo"}}),  // the viewer's own
      Element(2, {{"File", "ViewerHelp.txt"}}),      // not counted
      Element(1, {{"name", "Empty"}}),               // no children
      Element(1, {{"name", "B"}}),                   // topic
      Element(2, {{"File", "b.ox"}}),                // entry
  };
  const IndexFill fill = BuildIndex(document, IndexFillOptions{});
  const IndexCounts counts = CountIndex(fill.rows, fill.entries, "ZUR Erirada Vuvazo");
  EXPECT_EQ(counts.topicCount, 2);
  EXPECT_EQ(counts.entryCount, 2);
}

TEST(IndexFill, EmptyDocumentGivesNothing) {
  const IndexFill fill = BuildIndex(XmlDocument{}, IndexFillOptions{});
  EXPECT_TRUE(fill.rows.empty());
  EXPECT_TRUE(fill.entries.empty());
  EXPECT_FALSE(fill.versionWord);
  EXPECT_FALSE(fill.helpEntryIndex);
  const IndexCounts counts = CountIndex(fill.rows, fill.entries, "ZUR Erirada Vuvazo");
  EXPECT_EQ(counts.topicCount + counts.entryCount, 0);
}

TEST(IndexFill, ManySiblingsFromAParsedFileOutliveTheirDocument) {
  std::string bytes = "<root name='Library'><cat name='C'>";
  for (int i = 0; i < 100000; ++i) bytes += "<e theme_de='t' File='f.ox'/>";
  bytes += "</cat></root>";
  XmlDocument document;
  ParseXmlBytes(bytes, document);
  const IndexFill fill = BuildIndex(document, IndexFillOptions{});
  ASSERT_EQ(fill.rows.size(), 100002u);
  const IndexCounts counts = CountIndex(fill.rows, fill.entries, "ZUR Erirada Vuvazo");
  EXPECT_EQ(counts.topicCount, 1);
  EXPECT_EQ(counts.entryCount, 100000);
  // The fill keeps the strings it views when the document goes.
  document = XmlDocument{};
  EXPECT_EQ(fill.rows[1].text, "C");
  EXPECT_EQ(fill.entries.back().file, "f.ox");
}

// Compares two fills field by field, naming the first row that differs.
void ExpectSameFill(const IndexFill& got, const IndexFill& want, const std::string& what) {
  ASSERT_EQ(got.rows.size(), want.rows.size()) << what;
  ASSERT_EQ(got.entries.size(), want.entries.size()) << what;
  for (std::size_t i = 0; i < want.rows.size(); ++i) {
    const IndexRow& a = got.rows[i];
    const IndexRow& b = want.rows[i];
    ASSERT_TRUE(a.level == b.level && a.text == b.text && a.icon == b.icon &&
                a.textColour == b.textColour && a.background == b.background)
        << what << ", row " << i;
    const IndexEntry& x = got.entries[i];
    const IndexEntry& y = want.entries[i];
    ASSERT_TRUE(x.text == y.text && x.group == y.group && x.theme_de == y.theme_de &&
                x.theme_en == y.theme_en && x.theme_fr == y.theme_fr &&
                x.descript_de == y.descript_de && x.descript_en == y.descript_en &&
                x.descript_fr == y.descript_fr && x.file == y.file)
        << what << ", entry " << i;
  }
  EXPECT_EQ(got.helpEntryIndex, want.helpEntryIndex) << what;
  EXPECT_EQ(got.versionWord, want.versionWord) << what;
}

// Categories alternate in colour and entries take the caption of the group
// before them, so every place a part may start at is tried: in the middle
// of a category, on a category, after an element with an empty caption,
// with the help file in an early and a late part.
TEST(IndexFill, PartsBuildTheSameAsOne) {
  XmlDocument document;
  document.elements.push_back(Element(0, {{"name", "Library"}}, " Orvex code library 2.5 "));
  for (int c = 0; c < 9; ++c) {
    const std::string name = c == 4 ? "ZUR Erirada Vuvazo" : "Cat" + std::to_string(c);
    document.elements.push_back(Element(1, {{"name", name}}));
    for (int e = 0; e < c % 4 + 1; ++e) {
      const std::string id = std::to_string(c) + "." + std::to_string(e);
      Attributes attributes = {{"theme_de", (e == 1 ? "✰" : "") + id},
                               {"theme_en", "↺en" + id},
                               {"descript_fr", "fr " + id}};
      if (e == 2) attributes.push_back({"group", ""});
      if (e == 0) attributes.push_back({"sub", "Group" + id});
      const bool help = (c == 1 || c == 7) && e == 0;
      attributes.push_back({"File", help ? "Help/ViewerHelp.txt" : "c/" + id + ".ox"});
      document.elements.push_back(Element(2 + e % 2, std::move(attributes), " text " + id));
    }
  }
  const IndexFillOptions optionSets[] = {
      IndexFillOptions{}, IndexFillOptions{Language::English, false, true, "ZUR Erirada Vuvazo"},
      IndexFillOptions{Language::French, true, true, "Cat3"}};
  for (const IndexFillOptions& options : optionSets) {
    const IndexFill one = BuildIndex(document, options, 1);
    // The help file of category 7, the later of the two.
    ASSERT_EQ(one.helpEntryIndex, static_cast<long>(document.elements.size()) - 6);
    for (int parts = 2; parts <= static_cast<int>(document.elements.size()) + 2; ++parts) {
      ExpectSameFill(BuildIndex(document, options, parts), one,
                     std::to_string(parts) + " parts, language " +
                         std::to_string(static_cast<int>(options.language)));
    }
  }

  // A document large enough to be split by itself.
  XmlDocument large;
  large.elements.push_back(Element(0, {{"name", "Library"}}, "a b c 3.1"));
  for (int i = 0; i < 20000; ++i) {
    if (i % 7 == 0) large.elements.push_back(Element(1, {{"name", "C" + std::to_string(i)}}));
    large.elements.push_back(Element(2, {{"theme_de", std::to_string(i)}, {"File", "x.ox"}}));
  }
  ExpectSameFill(BuildIndex(large, IndexFillOptions{}), BuildIndex(large, IndexFillOptions{}, 1),
                 "automatic parts");
}

TEST(IndexFill, LongRowTextsAreCutByCharacters) {
  const std::string tail = std::string(kMaxRowTextCharacters - 1, 'b') + "✰✰";
  XmlDocument document = EntryDocument("✰" + tail, "", "");
  document.elements[1].attributes[0].value = testsupport::Kept(tail);
  const IndexFill fill = BuildIndex(document, IndexFillOptions{});
  const std::string cut = std::string(kMaxRowTextCharacters - 1, 'b') + "✰";
  EXPECT_EQ(fill.rows[1].text, cut);
  EXPECT_EQ(fill.rows[2].text, cut);
  EXPECT_EQ(fill.entries[2].theme_de, "✰" + tail);
}

}  // namespace
}  // namespace library

// The language file table: its line format, lookups and selector texts, and
// the language file shipped with the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "library/core/UiTexts.h"
#include "support/TempDirectory.h"

namespace library {
namespace {

using namespace std::string_literals;

UiTexts Parsed(std::string_view text) {
  UiTexts texts;
  texts.Parse(text);
  return texts;
}

TEST(UiTexts, WithoutTheItemsSectionTheTableIsLoadedButEmpty) {
  UiTexts texts;
  EXPECT_FALSE(texts.Loaded());
  texts.Parse("Key=#A\nde=a\nen=a\nfr=a\n[LanguageItems] \n");
  EXPECT_TRUE(texts.Loaded());
  EXPECT_TRUE(texts.Items().empty());
  EXPECT_EQ(texts.Lookup("#A", false, "de"), "");

  // Parsing again replaces the table.
  texts.Parse("[LanguageItems]\nKey=#B\nde=b\nen=b\nfr=b\n");
  texts.Parse("");
  EXPECT_TRUE(texts.Loaded());
  EXPECT_TRUE(texts.Items().empty());
}

TEST(UiTexts, AnyLineEndAndLeadingSpacesButNotTabs) {
  const std::vector<std::string_view> lines = {
      "; comment", "  [LanguageItems]", "",     "   Key=#A", " de=Ja", "en=Yes",
      "  fr=Oui",  "\tKey=#B",          "de=b", "en=b",      "fr=b"};
  for (const std::string_view end : {"\n", "\r", "\r\n"}) {
    std::string text;
    for (const std::string_view line : lines) text.append(line).append(end);
    text.resize(text.size() - end.size());
    const UiTexts texts = Parsed(text);
    ASSERT_EQ(texts.Items().size(), 1u) << "line end " << static_cast<int>(end.back());
    EXPECT_EQ(texts.Lookup("#A", false, "de"), "Ja");
    EXPECT_EQ(texts.Lookup("#A", false, "en"), "Yes");
    EXPECT_EQ(texts.Lookup("#A", false, "fr"), "Oui");
  }
}

TEST(UiTexts, NamesLoseTrailingAndValuesLeadingSpaces) {
  const UiTexts texts = Parsed(
      "[LanguageItems]\n"
      "Key  =  #A \n"
      "de =  Wert mit = Zeichen  \n"
      "en=\ta\tb\t\n"
      "fr=\n"
      "Key=#B\n"
      "de\t=not German\n"
      "=\n"
      "Key=#Case\nde=x\nen=x\nfr=x\n");
  const UiTextItem& item = texts.Items().at("#A ");
  EXPECT_EQ(item.de, "Wert mit = Zeichen  ");
  EXPECT_EQ(item.en, "\ta\tb\t");
  EXPECT_EQ(item.fr, "");
  EXPECT_EQ(texts.Items().count("#B"), 0u);
  EXPECT_EQ(texts.Lookup("#A", false, "de"), "");
  EXPECT_EQ(texts.Lookup("#case", false, "de"), "");
  EXPECT_EQ(texts.Lookup("#Case", false, "de"), "x");
}

TEST(UiTexts, TooltipSectionKeysAreFoundOnlyAsTooltips) {
  const UiTexts texts = Parsed(
      "[Tooltips]\nKey=#Early\nde=e\nen=e\nfr=e\n"
      "[LanguageItems]\n"
      "Key=#Main_Setting\nde=Einstellungen\nen=Settings\nfr=Reglages\n"
      "[Tooltips]\n"
      "Key=#Main_Find\nde=Suchen\nen=Find\nfr=Chercher\n"
      "Key=#Main_Setting\nde=Tipp\nen=Tip\nfr=Astuce\n");
  EXPECT_EQ(texts.Lookup("#Main_Find", true, "en"), "Find");
  EXPECT_EQ(texts.Lookup("#Main_Find", false, "en"), "");
  EXPECT_EQ(texts.Items().count("TT#Main_Find"), 1u);
  EXPECT_EQ(texts.Lookup("#Main_Setting", false, "fr"), "Reglages");
  EXPECT_EQ(texts.Lookup("#Main_Setting", true, "fr"), "Astuce");
  // Nothing before the item section counts, a tooltip section neither.
  EXPECT_EQ(texts.Lookup("#Early", false, "de"), "");
  EXPECT_EQ(texts.Lookup("#Early", true, "de"), "");
}

TEST(UiTexts, RepeatedIdentifierKeepsOneItemWithTheLaterTexts) {
  const UiTexts texts = Parsed(
      "[LanguageItems]\n"
      "Key=#A\nde=eins\nen=one\nfr=un\n"
      "Key=#A\nde=zwei\nen=two\n");
  ASSERT_EQ(texts.Items().size(), 1u);
  EXPECT_EQ(texts.Lookup("#A", false, "de"), "zwei");
  EXPECT_EQ(texts.Lookup("#A", false, "en"), "two");
  EXPECT_EQ(texts.Lookup("#A", false, "fr"), "un");
}

TEST(UiTexts, ALineThatBreaksAnItemIsReadAgain) {
  const UiTexts texts = Parsed(
      "[LanguageItems]\n"
      "Key=#Prev\nde=p\nen=p\nfr=p\n"
      // No "de": no item, and its "en"/"fr" lines go nowhere.
      "Key=#NoGerman\nen=stray\nfr=stray\n"
      // A Key right after a Key still starts an item.
      "Key=#Lost\nKey=#Next\nde=n\nen=n\nfr=n\n"
      // An item without "fr" keeps what it has; the Key after it counts.
      "Key=#NoFrench\nde=d\nen=e\nKey=#After\nde=a\nen=a\nfr=a\n"
      // The tooltip section starts even right after a bare Key.
      "Key=#BeforeTips\n[Tooltips]\nKey=#Tip\nde=t\nen=t\nfr=t\n");
  EXPECT_EQ(texts.Items().count("#NoGerman"), 0u);
  EXPECT_EQ(texts.Lookup("#Prev", false, "en"), "p");
  EXPECT_EQ(texts.Items().count("#Lost"), 0u);
  EXPECT_EQ(texts.Lookup("#Next", false, "fr"), "n");
  EXPECT_EQ(texts.Lookup("#NoFrench", false, "en"), "e");
  EXPECT_EQ(texts.Lookup("#NoFrench", false, "fr"), "");
  EXPECT_EQ(texts.Lookup("#After", false, "fr"), "a");
  EXPECT_EQ(texts.Items().count("#BeforeTips"), 0u);
  EXPECT_EQ(texts.Lookup("#Tip", true, "de"), "t");
  EXPECT_EQ(texts.Items().size(), 5u);
}

TEST(UiTexts, ByteOrderMarkNulBytesAndLongLines) {
  EXPECT_EQ(
      Parsed("\xEF\xBB\xBF[LanguageItems]\nKey=#A\nde=a\nen=b\nfr=c\n").Lookup("#A", false, "fr"),
      "c");
  // Labels take valid UTF-8 only: NUL bytes and invalid sequences become
  // U+FFFD, in identifiers as in texts.
  const UiTexts withNul = Parsed("[LanguageItems]\nKey=#\0A\nde=x\0y\nen=\0\nfr=\xC3z\xFF\n"s);
  EXPECT_EQ(withNul.Lookup("#\uFFFDA", false, "de"), "x\uFFFDy");
  EXPECT_EQ(withNul.Lookup("#\uFFFDA", false, "en"), "\uFFFD");
  EXPECT_EQ(withNul.Lookup("#\uFFFDA", false, "fr"), "\uFFFDz\uFFFD");

  const std::string huge(1 << 20, 'x');
  const UiTexts longLines =
      Parsed("[LanguageItems]\nKey=#A\nde=" + huge + "\nen=\nfr=\n" + huge + "\nKey=#B\nde=b\n");
  EXPECT_EQ(longLines.Lookup("#A", false, "de").size(), huge.size());
  EXPECT_EQ(longLines.Lookup("#B", false, "de"), "b");
}

TEST(UiTexts, OnlyTheThreeLanguageCodesGiveTexts) {
  const UiTexts texts = Parsed("[LanguageItems]\nKey=#A\nde=a\nen=b\nfr=c\n");
  for (const char* code : {"", "d", "DE", "es", "de_DE", "C"}) {
    EXPECT_EQ(texts.Lookup("#A", false, code), "") << code;
  }
  EXPECT_EQ(texts.Lookup("#Missing", false, "de"), "");
}

TEST(UiTexts, LanguageCodes) {
  EXPECT_EQ(LanguageCode(Language::German), "de");
  EXPECT_EQ(LanguageCode(Language::English), "en");
  EXPECT_EQ(LanguageCode(Language::French), "fr");
  EXPECT_EQ(LanguageCode(static_cast<Language>(3)), "");
  EXPECT_EQ(LanguageCode(static_cast<Language>(-1)), "");

  EXPECT_EQ(LanguageCodeOfLang(nullptr), "");
  EXPECT_EQ(LanguageCodeOfLang(""), "");
  EXPECT_EQ(LanguageCodeOfLang("d"), "");
  EXPECT_EQ(LanguageCodeOfLang("C"), "");
  EXPECT_EQ(LanguageCodeOfLang("de_DE.UTF-8"), "de");
  EXPECT_EQ(LanguageCodeOfLang("fr"), "fr");
}

TEST(UiTexts, SelectorItemsAreTheFirstTabFields) {
  using Items = std::vector<std::string>;
  EXPECT_EQ(SelectorItems("one\ttwo", 3), (Items{"one", "two", ""}));
  EXPECT_EQ(SelectorItems("one\ttwo\tthree", 3), (Items{"one", "two", "three"}));
  EXPECT_EQ(SelectorItems("one\ttwo\tthree\tfour", 3), (Items{"one", "two", "three"}));
  EXPECT_EQ(SelectorItems("one\ttwo\tthree\tfour", 4), (Items{"one", "two", "three", "four"}));
  EXPECT_EQ(SelectorItems("one\ttwo\tthree", 4), (Items{"one", "two", "three", ""}));
  EXPECT_EQ(SelectorItems("one two", 3), (Items{"one two", "", ""}));
  EXPECT_EQ(SelectorItems("\t\tthree ", 3), (Items{"", "", "three "}));
  EXPECT_EQ(SelectorItems("", 3), (Items{"", "", ""}));
}

TEST(UiTexts, LoadFileReadsAFileAndLeavesTheTableOnFailure) {
  TempDirectory temp;
  UiTexts texts;
  EXPECT_FALSE(texts.LoadFile(temp.Path() + "/absent.inf"));
  EXPECT_FALSE(texts.LoadFile(temp.Path()));
  EXPECT_FALSE(texts.Loaded());

  const std::string path =
      temp.Write("texts.inf", "[LanguageItems]\r\nKey=#A\r\nde=a\r\nen=b\r\nfr=c\r\n");
  ASSERT_TRUE(texts.LoadFile(path));
  EXPECT_TRUE(texts.Loaded());
  EXPECT_EQ(texts.Lookup("#A", false, "en"), "b");

  EXPECT_FALSE(texts.LoadFile(temp.Path() + "/absent.inf"));
  EXPECT_TRUE(texts.Loaded());
  EXPECT_EQ(texts.Lookup("#A", false, "en"), "b");
}

TEST(UiTexts, ShippedLanguageFileHasEveryTextInEveryLanguage) {
  const char* data = std::getenv("ORVEX_TEST_DATA");
  ASSERT_NE(data, nullptr) << "ORVEX_TEST_DATA is not set";
  UiTexts texts;
  ASSERT_TRUE(
      texts.LoadFile(std::string(data) + "/../../sample/Library/Viewer/LinuxOX ROZ-UruZore.inf"));

  const std::vector<std::string> labels = {
      "#Cnf_LabelHint",    "#Cnf_LabelLib",    "#Cnf_LabelTitle",   "#Cnf_SearchFailHint",
      "#Cnf_WinData2Pref", "#Cnf_DyeNews",     "#Cnf_DarkMode",     "#Cnf_LangLabel",
      "#Cnf_LabelDB",      "#Cnf_Frame1",      "#Cnf_Frame2",       "#DbA_LabelFile",
      "#DbA_LabelEnt",     "#Cnf_LangFont",    "#Cnf_LabelMark",    "#Cnf_Language",
      "#Cnf_FontChoose",   "#DbA_LabelDb",     "#DbA_LabelSrcForm", "#Cnf_SearchMode",
      "#DbA_LabelTop",     "#Cnf_CodeMarking", "#Cnf_Paths2Pref",   "#DbA_LabelExeForm",
      "#Cnf_FileNameLen",  "#DbA_LabelLib",    "#DbA_LabelCont",    "#Cnf_LabelSearch",
      "#DbA_Frame1",       "#DbA_Frame2",      "#Upt_LabelAppGtk2", "#Upt_LabelAppGtk3",
      "#Upt_LabelXml",     "#PuInf_OpnCode",   "#PuInf_AboutApp",   "#PuInf_AboutDb",
      "#PuInf_IsUpdate"};
  const std::vector<std::string> tooltips = {
      "#Cnf_Apply",          "#Cnf_FontChoose",   "#Main_Info",      "#Cnf_LibChoose",
      "#Main_NodeToggle",    "#Main_Find",        "#Main_Quickcopy", "#Cnf_SearchMode",
      "#DbA_ToDb",           "#Cnf_CodeMarking",  "#Cnf_Paths2Pref", "#Cnf_FileNameLen",
      "#Main_EdDescript",    "#Cnf_LibShow",      "#Main_CbHistory", "#Main_Help",
      "#Cnf_SearchFailHint", "#Cnf_WinData2Pref", "#Cnf_DarkMode",   "#Cnf_DyeNews",
      "#Cnf_DbChoose",       "#Cnf_OkSave",       "#Cnf_Cancel",     "#Main_Setting",
      "#DbA_CopyFile",       "#Cnf_DbShow",       "#Cnf_Fontname",   "#Cnf_Language"};
  const std::vector<std::string> selectors = {"#Cnf_SearchFailHint", "#Cnf_Language",
                                              "#Cnf_SearchMode", "#Cnf_CodeMarking",
                                              "#Cnf_FileNameLen"};

  for (const char* code : {"de", "en", "fr"}) {
    for (const std::string& id : labels) {
      EXPECT_NE(texts.Lookup(id, false, code), "") << id << " " << code;
    }
    for (const std::string& id : tooltips) {
      EXPECT_NE(texts.Lookup(id, true, code), "") << "tooltip " << id << " " << code;
    }
    for (const std::string& id : selectors) {
      const std::string text = texts.Lookup(id, false, code);
      // The search scope has a fourth item, the code scope.
      const std::size_t items = id == "#Cnf_SearchMode" ? 4 : 3;
      EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\t')), items - 1)
          << id << " " << code;
      for (const std::string& item : SelectorItems(text, items)) {
        EXPECT_NE(item, "") << id << " " << code;
      }
    }
  }
  EXPECT_EQ(texts.Lookup("#Cnf_LangLabel", false, "de"), "Sprache");
}

}  // namespace
}  // namespace library

// What the index search looks through in each mode and language, and how a
// term matches it ignoring letter case.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/core/CodeSearchIndex.h"
#include "library/core/LoweredTexts.h"
#include "library/core/SearchCandidates.h"
#include "support/KeptText.h"
#include "support/TempDirectory.h"
#include "toolkit/core/TextLowering.h"

namespace {

using library::Language;
using library::SearchMode;
using library::SearchScope;

// Switches the character classification to a UTF-8 locale for one test.
class Utf8Locale : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* before = std::setlocale(LC_CTYPE, nullptr);
    saved_ = before ? before : "C";
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) GTEST_SKIP() << "no C.UTF-8 locale";
  }
  void TearDown() override { std::setlocale(LC_CTYPE, saved_.c_str()); }

 private:
  std::string saved_;
};

library::IndexEntry Entry(std::string_view themeDe, std::string_view themeEn,
                          std::string_view themeFr, std::string_view descriptDe,
                          std::string_view descriptEn, std::string_view descriptFr) {
  library::IndexEntry entry;
  entry.theme_de = testsupport::Kept(themeDe);
  entry.theme_en = testsupport::Kept(themeEn);
  entry.theme_fr = testsupport::Kept(themeFr);
  entry.descript_de = testsupport::Kept(descriptDe);
  entry.descript_en = testsupport::Kept(descriptEn);
  entry.descript_fr = testsupport::Kept(descriptFr);
  return entry;
}

TEST(SearchCandidate, EachModeJoinsItsPartsWithSemicolons) {
  const library::IndexEntry entry =
      Entry("Knopf", "Button", "Bouton", "Ein Knopf", "A button", "Un bouton");
  struct Case {
    SearchScope scope;
    long language;
    const char* candidate;
  };
  const Case cases[] = {
      {SearchScope::IndexOnly, 0, "Row"},
      {SearchScope::IndexOnly, 2, "Row"},
      {SearchScope::IndexAndDescription, 0, "Row;Ein Knopf"},
      {SearchScope::IndexAndDescription, 1, "Row;A button"},
      {SearchScope::IndexAndDescription, 2, "Row;Un bouton"},
      {SearchScope::AllLanguages, 0, "Row;Knopf;Button;Bouton;Ein Knopf;A button;Un bouton"},
      {SearchScope::AllLanguages, 1, "Row;Knopf;Button;Bouton;Ein Knopf;A button;Un bouton"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(library::SearchCandidate("Row", entry, c.scope, static_cast<Language>(c.language)),
              c.candidate)
        << static_cast<int>(c.scope) << " " << c.language;
  }
  // Empty parts keep their separators.
  EXPECT_EQ(library::SearchCandidate("Row", library::IndexEntry{}, SearchScope::AllLanguages,
                                     Language::German),
            "Row;;;;;;");
}

TEST(SearchCandidate, ModesOutsideTheKnownOnesSearchLikeTheDefault) {
  EXPECT_EQ(library::ScopeOfSearchMode(SearchMode::IndexOnly), SearchScope::IndexOnly);
  EXPECT_EQ(library::ScopeOfSearchMode(SearchMode::AllLanguages), SearchScope::AllLanguages);
  EXPECT_EQ(library::ScopeOfSearchMode(SearchMode::IndexDescriptionAndCode),
            SearchScope::IndexDescriptionAndCode);
  for (const std::int64_t mode :
       {std::int64_t{0}, std::int64_t{-1}, std::int64_t{4},
        std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()}) {
    EXPECT_EQ(library::ScopeOfSearchMode(static_cast<SearchMode>(mode)),
              SearchScope::IndexAndDescription)
        << mode;
  }
}

using TextLowering = Utf8Locale;

TEST_F(TextLowering, LowersEachCharacterAndKeepsWhatIsNotUtf8) {
  const toolkit::TextLowering lowering;
  struct Case {
    std::string text;
    std::string lowered;
  };
  const Case cases[] = {
      {"Hello World 42", "hello world 42"},
      {"GRÖẞE Größe ÄÖÜ", "größe größe äöü"},
      {"ÉTÉ À LA PLAGE", "été à la plage"},
      {"ΣΟΦΊΑ", "σοφία"},  // each Σ on its own: no final form
      {"\u2730Neu \u21BAAlt", "\u2730neu \u21BAalt"},
      {"\u212A", "k"},                           // the Kelvin sign lowers to a shorter ASCII letter
      {"\xF0\x9D\x90\x80", "\xF0\x9D\x90\x80"},  // no lower case: unchanged
      // Invalid bytes, overlong forms, surrogates and NUL pass through.
      {std::string("A\xFF"
                   "B\xC3",
                   4),
       std::string("a\xFF"
                   "b\xC3",
                   4)},
      {"\xC0\x80Z", "\xC0\x80z"},
      {"\xED\xA0\x80Z", "\xED\xA0\x80z"},
      {std::string("A\0B", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) EXPECT_EQ(lowering.Lower(c.text), c.lowered) << c.text;
}

// Rows: 0 root, 1 "Fenster" category, 2 "Größe ändern", 3 "Knopf", 4 "Liste".
// The code of rows 2 and 3 is in files; row 4's file is missing.
class Candidates : public Utf8Locale {
 protected:
  void SetUp() override {
    Utf8Locale::SetUp();
    rows_ = {"Library", "Fenster", "Größe ändern", "Knopf", "Liste"};
    entries_ = {
        Entry("", "", "", "", "", ""),
        Entry("", "", "", "Alle Fenster", "All windows", "Toutes les fenêtres"),
        Entry("Größe ändern", "Resizing", "Redimensionner", "Ändert die GRÖSSE", "Changes the size",
              "Change la taille"),
        Entry("Knopf", "Button", "Bouton", "Ein Knopf mit Text", "A button with a label",
              "Un bouton avec une étiquette"),
        Entry("Liste", "List", "Liste", "Einträge", "Items", "Éléments"),
    };
    entries_[2].file = "W/Size.ox";
    entries_[3].file = "W/Button.ox";
    entries_[4].file = "L/Missing.ox";
  }

  // The code files, written on first use: Size.ox holds "BeforeCut" right
  // before the part of a file that is searched ends, and "AfterCut" after.
  const library::LoweredTexts& Code(const toolkit::TextLowering& lowering) {
    if (!code_) {
      library_.Write("W/Button.ox",
                     "OpenWindow(0)\r\nButtonGadget(1, 10, 10, \"OK\")\r\n"
                     "; IDE Options = OrvexIDE\r\n; Folding = Secret\r\n");
      std::string size = "ResizeWindow(0, 10, 10) ; Knopf\n";
      size.resize(app::kMaxSearchedCodeBytes - 9, ';');
      library_.Write("W/Size.ox", size + "BeforeCutAfterCut\n");
      app::CodeFiles files{library_.Path() + "/", {}, nullptr};
      for (const library::IndexEntry& entry : entries_) files.files.push_back(entry.file);
      code_ = app::IndexCode(files, lowering, {});
    }
    return *code_;
  }

  std::optional<std::size_t> Find(std::string_view term, SearchScope scope, Language language,
                                  std::size_t start = 0) {
    library::SearchCandidates candidates;
    candidates.Build(
        rows_.size(), [this](std::size_t i) -> std::string_view { return rows_[i]; }, entries_,
        scope, language);
    if (scope == SearchScope::IndexDescriptionAndCode) {
      return candidates.Find(term, start, Code(candidates.Lowering()));
    }
    return candidates.Find(term, start);
  }

  std::vector<std::string> rows_;
  std::vector<library::IndexEntry> entries_;
  TempDirectory library_;
  std::optional<library::LoweredTexts> code_;
};

TEST_F(Candidates, TermsMatchByModeAndLanguageIgnoringCase) {
  constexpr auto kNone = std::optional<std::size_t>{};
  struct Case {
    const char* term;
    SearchScope scope;
    long language;
    std::optional<std::size_t> row;
  };
  const Case cases[] = {
      // Letter case does not matter, in the term or in the texts.
      {"knopf", SearchScope::IndexOnly, 0, 3},
      {"KNOPF", SearchScope::IndexOnly, 0, 3},
      {"GRÖSSE", SearchScope::IndexOnly, 0, kNone},
      {"GRÖßE", SearchScope::IndexOnly, 0, 2},
      {"größe", SearchScope::IndexAndDescription, 0, 2},
      // Mode 1 never looks at descriptions.
      {"label", SearchScope::IndexOnly, 1, kNone},
      {"einträge", SearchScope::IndexOnly, 0, kNone},
      // Mode 0 searches the description of its language only.
      {"label", SearchScope::IndexAndDescription, 1, 3},
      {"label", SearchScope::IndexAndDescription, 0, kNone},
      {"ein knopf", SearchScope::IndexAndDescription, 0, 3},
      {"ein knopf", SearchScope::IndexAndDescription, 1, kNone},
      {"ÉTIQUETTE", SearchScope::IndexAndDescription, 2, 3},
      {"windows", SearchScope::IndexAndDescription, 1, 1},
      // Mode 2 searches every title and description.
      {"redimensionner", SearchScope::AllLanguages, 0, 2},
      {"étiquette", SearchScope::AllLanguages, 1, 3},
      {"items", SearchScope::AllLanguages, 0, 4},
      // The separators are part of the candidate; rows never run together.
      {"knopf;ein", SearchScope::IndexAndDescription, 0, 3},
      {"knopf;knopf;button", SearchScope::AllLanguages, 2, 3},
      {"knopfliste", SearchScope::IndexOnly, 0, kNone},
      // The code scope searches titles and descriptions as mode 0, and the
      // code files as the code view shows them; the first row wins.
      {"buttongadget", SearchScope::IndexDescriptionAndCode, 0, 3},
      {"buttongadget", SearchScope::AllLanguages, 0, kNone},
      {"ein knopf", SearchScope::IndexDescriptionAndCode, 0, 3},
      {"knopf", SearchScope::IndexDescriptionAndCode, 0, 2},
      {"einträge", SearchScope::IndexDescriptionAndCode, 0, 4},
      {"secret", SearchScope::IndexDescriptionAndCode, 0, kNone},
      // No match across a line break, whether the term holds one or not.
      {"(0)buttongadget", SearchScope::IndexDescriptionAndCode, 0, kNone},
      {"(0)\nbuttongadget", SearchScope::IndexDescriptionAndCode, 0, kNone},
      {"(0)\r\nbuttongadget", SearchScope::IndexDescriptionAndCode, 0, kNone},
      // A large file is searched as far as the cut.
      {"beforecut", SearchScope::IndexDescriptionAndCode, 0, 2},
      {"aftercut", SearchScope::IndexDescriptionAndCode, 0, kNone},
      {"xyzzy", SearchScope::AllLanguages, 0, kNone},
      {"", SearchScope::AllLanguages, 0, kNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Find(c.term, c.scope, static_cast<Language>(c.language)), c.row)
        << c.term << " mode " << static_cast<int>(c.scope) << " language " << c.language;
  }
}

TEST_F(Candidates, SearchStartsAtTheGivenRow) {
  EXPECT_EQ(Find("e", SearchScope::IndexOnly, Language::German, 0), 1u);
  EXPECT_EQ(Find("e", SearchScope::IndexOnly, Language::German, 2), 2u);
  EXPECT_EQ(Find("e", SearchScope::IndexOnly, Language::German, 3), 4u);
  EXPECT_EQ(Find("knopf", SearchScope::IndexOnly, Language::German, 4), std::nullopt);
  EXPECT_EQ(Find("e", SearchScope::IndexOnly, Language::German, 5), std::nullopt);
  EXPECT_EQ(Find("e", SearchScope::IndexOnly, Language::German, 1000), std::nullopt);
  EXPECT_EQ(Find("knopf", SearchScope::IndexDescriptionAndCode, Language::German, 3), 3u);
  EXPECT_EQ(Find("window", SearchScope::IndexDescriptionAndCode, Language::German, 3), 3u);
}

TEST_F(Candidates, TheCodeIndexTellsTheLineOfTheFirstOccurrence) {
  const toolkit::TextLowering lowering;
  const library::LoweredTexts& code = Code(lowering);
  EXPECT_EQ(code.FirstLineHolding("openwindow", 3), 0u);
  EXPECT_EQ(code.FirstLineHolding("ok\")", 3), 1u);
  EXPECT_EQ(code.FirstLineHolding("beforecut", 2), 1u);
  EXPECT_EQ(code.FirstLineHolding("secret", 3), std::nullopt);
  EXPECT_EQ(code.FirstLineHolding("openwindow", 2), std::nullopt) << "another row's code";
  EXPECT_EQ(code.FirstLineHolding("openwindow", 4), std::nullopt) << "a missing file";
  EXPECT_EQ(code.FirstLineHolding("openwindow", 99), std::nullopt);
}

TEST(LoweredTexts, EmptiedTextsGiveTheirMemoryBack) {
  // The code index is dropped by assigning an empty one; it held on to tens
  // of megabytes.
  const toolkit::TextLowering lowering;
  library::LoweredTexts texts;
  texts.StartText();
  texts.AppendLowered(lowering, std::string(std::size_t{1} << 20, 'A'));
  texts.Finish();
  ASSERT_GE(texts.HeldBytes(), std::size_t{1} << 20);
  texts = library::LoweredTexts();
  EXPECT_EQ(texts.HeldBytes(), library::LoweredTexts().HeldBytes());
}

TEST_F(Candidates, ATermWithANulMatchesNothing) {
  // The buffer separates candidates with NUL; such a term must not match
  // across the end of one row into the next.
  EXPECT_EQ(Find(std::string("pf\0l", 4), SearchScope::IndexOnly, Language::German), std::nullopt);
}

TEST_F(Candidates, RowsWithoutEntriesSearchTheirTextAlone) {
  entries_.resize(2);
  EXPECT_EQ(Find("knopf", SearchScope::AllLanguages, Language::German), 3u);
  EXPECT_EQ(Find("label", SearchScope::AllLanguages, Language::German), std::nullopt);
}

// Random texts from a few letters, so that matches are many and fall at
// every offset, against lowering and searching each candidate one by one.
TEST_F(Candidates, AgreesWithSearchingEachLoweredCandidate) {
  std::mt19937 random(20261208);
  const std::vector<std::string> pieces = {"a", "B", "b", "Ö", "ö", " ", ";", "ab", "AB"};
  const auto text = [&](std::size_t maxPieces) {
    std::string out;
    const std::size_t count = random() % (maxPieces + 1);
    for (std::size_t i = 0; i < count; ++i) out += pieces[random() % pieces.size()];
    return out;
  };
  rows_.clear();
  entries_.clear();
  for (int i = 0; i < 300; ++i) {
    rows_.push_back(text(12));
    entries_.push_back(Entry(text(6), text(6), text(6), text(40), text(40), text(40)));
  }
  const toolkit::TextLowering lowering;
  for (const SearchScope scope :
       {SearchScope::IndexOnly, SearchScope::IndexAndDescription, SearchScope::AllLanguages}) {
    library::SearchCandidates candidates;
    candidates.Build(
        rows_.size(), [this](std::size_t i) -> std::string_view { return rows_[i]; }, entries_,
        scope, Language::English);
    for (int trial = 0; trial < 400; ++trial) {
      std::string term = text(7);
      if (term.empty()) term = "a";
      const std::size_t start = random() % (rows_.size() + 1);
      std::optional<std::size_t> expected;
      for (std::size_t i = start; i < rows_.size() && !expected; ++i) {
        const std::string candidate = lowering.Lower(
            library::SearchCandidate(rows_[i], entries_[i], scope, Language::English));
        if (candidate.find(lowering.Lower(term)) != std::string::npos) expected = i;
      }
      ASSERT_EQ(candidates.Find(term, start), expected)
          << "term '" << term << "' from " << start << " mode " << static_cast<int>(scope);
    }
  }
}

TEST_F(Candidates, BuiltForTellsWhenARebuildIsDue) {
  library::SearchCandidates candidates;
  EXPECT_FALSE(candidates.BuiltFor(0, SearchScope::IndexAndDescription, Language::German));
  candidates.Build(
      rows_.size(), [this](std::size_t i) -> std::string_view { return rows_[i]; }, entries_,
      SearchScope::IndexOnly, Language::English);
  EXPECT_TRUE(candidates.BuiltFor(5, SearchScope::IndexOnly, Language::English));
  EXPECT_FALSE(candidates.BuiltFor(4, SearchScope::IndexOnly, Language::English));
  EXPECT_FALSE(candidates.BuiltFor(5, SearchScope::AllLanguages, Language::English));
  EXPECT_FALSE(candidates.BuiltFor(5, SearchScope::IndexOnly, Language::German));
  candidates.Clear();
  EXPECT_FALSE(candidates.BuiltFor(5, SearchScope::IndexOnly, Language::English));
  EXPECT_EQ(candidates.Find("knopf", 0), std::nullopt);
}

}  // namespace

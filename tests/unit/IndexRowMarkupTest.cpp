// Markup of index rows: bold topics, highlighted version notes in entry rows,
// and the escaping that keeps any row text valid inside the markup.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "library/core/IndexRowMarkup.h"

namespace {

using library::IndexRowMarkup;

constexpr const char* kColour = "YellowGreen";

struct Case {
  const char* name;
  int level;
  const char* text;
  std::optional<std::string> markup;
};

void ExpectMarkup(const Case& c, const char* colour = kColour) {
  EXPECT_EQ(IndexRowMarkup(c.level, c.text, colour), c.markup) << c.name;
}

TEST(IndexRowMarkup, TopicsAreBoldWithEveryMarkupCharacterEscaped) {
  const Case cases[] = {
      {"root", 0, "Library", "<b>Library</b>"},
      {"category", 1, "Tom & \"Jerry's\" <x>",
       "<b>Tom &amp; &quot;Jerry&apos;s&quot; &lt;x&gt;</b>"},
      // A note marker in a topic changes nothing: topics are never highlighted.
      {"category with marker", 1, "Views [gtk3]", "<b>Views [gtk3]</b>"},
      {"empty", 0, "", "<b></b>"},
  };
  for (const Case& c : cases) ExpectMarkup(c);
}

TEST(IndexRowMarkup, EntriesWithoutANoteAndDeeperRowsStayPlain) {
  const Case cases[] = {
      {"entry", 2, "A & B <c>", std::nullopt},
      {"entry with brackets only", 2, "List [gtk2]", std::nullopt},
      {"sub-entry with marker", 3, "Deep [gtk3]", std::nullopt},
      {"deeper", 4, "Deeper", std::nullopt},
      {"no row", -1, "None", std::nullopt},
  };
  for (const Case& c : cases) ExpectMarkup(c);
}

TEST(IndexRowMarkup, EachMarkerHighlightsTheBracketedNote) {
  const Case cases[] = {
      {"closing marker", 2, "Paned [gtk3]", "Paned <span bgcolor=\"YellowGreen\">[gtk3]</span>"},
      {"greater marker", 2, "Grid [>gtk3.10]",
       "Grid <span bgcolor=\"YellowGreen\">[&gt;gtk3.10]</span>"},
      {"at-least marker", 2, "Popover [>=gtk3.12]",
       "Popover <span bgcolor=\"YellowGreen\">[&gt;=gtk3.12]</span>"},
      {"escaped on both sides", 2, "Drag & \"drop\" <it> [it's >=gtk3.4]",
       "Drag &amp; &quot;drop&quot; &lt;it&gt; "
       "<span bgcolor=\"YellowGreen\">[it&apos;s &gt;=gtk3.4]</span>"},
      {"note at the start", 2, "[gtk3] first", "<span bgcolor=\"YellowGreen\">[gtk3]</span>"},
      {"multibyte text", 2, "Größe ändern ✰ [>gtk3.0]",
       "Größe ändern ✰ <span bgcolor=\"YellowGreen\">[&gt;gtk3.0]</span>"},
  };
  for (const Case& c : cases) ExpectMarkup(c);
}

TEST(IndexRowMarkup, NoteIsCutAtItsBrackets) {
  const Case cases[] = {
      {"text after the note dropped", 2, "Grid [gtk3] and more",
       "Grid <span bgcolor=\"YellowGreen\">[gtk3]</span>"},
      {"first bracket pair only", 2, "A [b] c [gtk3]",
       "A <span bgcolor=\"YellowGreen\">[b]</span>"},
      {"marker without opening bracket", 2, "Box gtk3] only", std::nullopt},
      {"opening bracket without closing one", 2, "Box [>=gtk3.2",
       "Box <span bgcolor=\"YellowGreen\"></span>"},
      {"closing bracket only before the opening one", 2, "Box gtk3] [x",
       "Box gtk3] <span bgcolor=\"YellowGreen\"></span>"},
  };
  for (const Case& c : cases) ExpectMarkup(c);
}

TEST(IndexRowMarkup, NoteColourIsEscapedToo) {
  ExpectMarkup({"hex colour", 2, "A [gtk3]", "A <span bgcolor=\"#00FF00\">[gtk3]</span>"},
               "#00FF00");
  ExpectMarkup({"hostile colour", 2, "A [gtk3]",
                "A <span bgcolor=\"x&quot; weight=&quot;bold\">[gtk3]</span>"},
               "x\" weight=\"bold");
}

TEST(IndexRowMarkup, EscapeMarkupLeavesOtherBytesAlone) {
  EXPECT_EQ(library::EscapeMarkup("a&&b"), "a&amp;&amp;b");
  EXPECT_EQ(library::EscapeMarkup("ü€😀\t;"), "ü€😀\t;");
  EXPECT_EQ(library::EscapeMarkup(""), "");
}

}  // namespace

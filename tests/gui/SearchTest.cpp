// Searching the index in the real main window: as-you-type and search-next,
// the take-back of an unmatched character, rows under collapsed parents, and
// the hints that are painted when nothing matched.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/CodeIndexing.h"
#include "app/EventLoop.h"
#include "app/Ids.h"
#include "app/NotFoundHints.h"
#include "app/Search.h"
#include "dialogs/DatabaseInfoWindow.h"
#include "support/TempDirectory.h"
#include "toolkit/TextAreaGadget.h"
#include "toolkit/TextFieldGadget.h"
#include "toolkit/TreeGadget.h"

namespace {

namespace gid = app::gadget_id;
namespace type = toolkit::event_type;
using toolkit::EventKind;

// Rows: 0 Root, 1 Fenster, 2 Größe ändern, 3 Knopf, 4 Knopf im Fenster
// (under 3), 5 Listen, 6 Liste.
constexpr const char* kDatabase = R"(<?xml version="1.0" encoding="UTF-8"?>
<lib Name="Root">Library 2026-12-01
  <cat Name="Fenster">Windows
    <e theme_de="Größe ändern" theme_en="Resizing" theme_fr="Redimensionner"
       descript_de="Ändert die Größe" descript_en="Changes the size of a window"
       descript_fr="Change la taille" File="W/Size.ox"/>
    <e theme_de="Knopf" theme_en="Button" theme_fr="Bouton" descript_de="Ein Knopf mit Text"
       descript_en="A button with a label" descript_fr="Un bouton" File="W/Button.ox">
      <e theme_de="Knopf im Fenster" theme_en="Button in a window" theme_fr="Bouton"
         File="W/Deep.ox"/>
    </e>
  </cat>
  <cat Name="Listen">
    <e theme_de="Liste" theme_en="List" theme_fr="Liste" descript_de="Einträge"
       descript_en="Items" descript_fr="Éléments" File="L/List.ox"/>
  </cat>
</lib>
)";

class Search : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = testsupport::NewAppShowing(kDatabase);
    ASSERT_TRUE(app_);
    // The blink is the shortest hint.
    app_->settings.searchHint = library::SearchHint::Blink;
    testsupport::DrainEvents(*app_);
  }

  void Find(const std::string& term, bool next) {
    app::SearchIndex(*app_, app::window_id::kMain, gid::kIndexTree, gid::kSearchField, term, next);
  }
  int Selected() const { return app_->ui.GadgetState(gid::kIndexTree); }
  std::string FieldText() const { return app_->ui.GadgetText(gid::kSearchField); }
  toolkit::TextFieldGadget& Field() const {
    return *app_->ui.Find<toolkit::TextFieldGadget>(gid::kSearchField);
  }
  // Puts text into the field with the cursor at a character position (-1
  // for the end), as if typed, and forgets the change event it caused.
  void Type(const std::string& text, int cursor = -1) {
    app_->ui.SetGadgetText(gid::kSearchField, text);
    gtk_editable_set_position(GTK_EDITABLE(Field().Entry()), cursor);
    testsupport::DrainEvents(*app_);
  }
  // Takes every waiting event and keeps those of gadgets (a hint's repaint
  // also queues window events).
  std::vector<toolkit::Event> GadgetEvents() {
    std::vector<toolkit::Event> events = testsupport::DrainEvents(*app_);
    std::erase_if(events, [](const toolkit::Event& e) { return e.kind != EventKind::Gadget; });
    return events;
  }
  // Whether exactly one change event of the gadget is waiting (and takes it).
  bool OneChangeOf(int gadget) {
    const std::vector<toolkit::Event> events = GadgetEvents();
    return std::count_if(events.begin(), events.end(),
                         [gadget](const toolkit::Event& e) {
                           return e.kind == EventKind::Gadget &&
                                  e.window == app::window_id::kMain && e.object == gadget &&
                                  e.type == type::kChange;
                         }) == 1 &&
           events.size() == 1;
  }

  std::unique_ptr<app::AppState> app_;
};

TEST_F(Search, AsYouTypeStartsAtTheTopAndSearchNextAfterTheSelection) {
  app_->ui.SetGadgetState(gid::kIndexTree, 5);
  Find("knopf", false);
  EXPECT_EQ(Selected(), 3);
  EXPECT_TRUE(OneChangeOf(gid::kIndexTree));

  Find("knopf", true);
  EXPECT_EQ(Selected(), 4);
  EXPECT_TRUE(OneChangeOf(gid::kIndexTree));

  // No wrap-around: past the last match the selection is cleared, and the
  // next search-next starts again from the top.
  Find("knopf", true);
  EXPECT_EQ(Selected(), -1);
  EXPECT_TRUE(GadgetEvents().empty());
  Find("knopf", true);
  EXPECT_EQ(Selected(), 3);
}

TEST_F(Search, EmptyTermChangesNothing) {
  app_->ui.SetGadgetState(gid::kIndexTree, 2);
  Find("", false);
  Find("", true);
  EXPECT_EQ(Selected(), 2);
  EXPECT_TRUE(GadgetEvents().empty());
}

TEST_F(Search, RowUnderCollapsedParentsIsSelectedAndShown) {
  auto* tree = app_->ui.Find<toolkit::TreeGadget>(gid::kIndexTree);
  tree->SetItemState(3, 8);
  tree->SetItemState(1, 8);
  ASSERT_EQ(tree->ItemState(1) & 2, 0);

  Find("IM FENSTER", false);
  EXPECT_EQ(Selected(), 4);
  EXPECT_NE(tree->ItemState(1) & 2, 0);
  EXPECT_NE(tree->ItemState(3) & 2, 0);
}

TEST_F(Search, UnmatchedCharacterAtTheEndIsTakenBackAndTheShorterTermFoundAgain) {
  Type("Knopfq");
  Find("Knopfq", false);
  EXPECT_EQ(Selected(), -1);
  EXPECT_EQ(FieldText(), "Knopf");
  // The deletion is an ordinary change; dispatching it searches again.
  const std::vector<toolkit::Event> events = GadgetEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].object, gid::kSearchField);
  app::DispatchEvent(*app_, events[0]);
  EXPECT_EQ(Selected(), 3);

  // The cursor and the length count characters: "ö" goes as a whole.
  Type("Knopö");
  Find("Knopö", false);
  EXPECT_EQ(FieldText(), "Knop");
}

TEST_F(Search, UnmatchedTermStaysWhenTheCursorIsInsideOrWhenSearchingNext) {
  Type("Knoxpf", 3);
  Find("Knoxpf", false);
  EXPECT_EQ(FieldText(), "Knoxpf");
  EXPECT_EQ(Selected(), -1);

  Type("Knopfq");
  Find("Knopfq", true);
  EXPECT_EQ(FieldText(), "Knopfq");
  EXPECT_TRUE(GadgetEvents().empty());
}

TEST_F(Search, ModeAndLanguageChosenAfterTheFillAreHonoured) {
  // Only the English description speaks of a "label".
  app_->settings.searchMode = library::SearchMode::IndexOnly;
  Find("label", false);
  EXPECT_EQ(Selected(), -1);
  app_->settings.searchMode = library::SearchMode::IndexAndDescription;
  app_->settings.language = library::Language::English;
  Find("label", false);
  EXPECT_EQ(Selected(), 3);
  app_->settings.language = library::Language::German;
  Find("label", false);
  EXPECT_EQ(Selected(), -1);
  app_->settings.searchMode = library::SearchMode::AllLanguages;
  Find("label", false);
  EXPECT_EQ(Selected(), 3);
}

// The code scope waits for the code index, then selects the entry whose code
// holds the term; the code view marks its first occurrence and scrolls to
// its line. The mark goes with the search term or a choice by hand.
TEST_F(Search, ACodeMatchIsMarkedAndScrolledToUntilTheSearchEnds) {
  const TempDirectory library;
  std::string code;
  for (int line = 0; line < 400; ++line) {
    code += line == 300 ? "  ButtonGadget(1, 10, 10, \"OK\") ; the SecretGadget\n" : "Debug 1\n";
  }
  library.Write("W/Button.ox", code);
  for (const char* file : {"W/Size.ox", "W/Deep.ox", "L/List.ox"}) library.Write(file, "Debug 2\n");
  app_->settings.libPath = library.Path() + "/";
  app_->settings.searchMode = library::SearchMode::IndexDescriptionAndCode;
  Type("SECRETgadget");
  Find("SECRETgadget", false);
  ASSERT_TRUE(testsupport::RunUntil([&] { return Selected() == 3; }));
  testsupport::Settle(*app_);

  auto* view = app_->ui.Find<toolkit::TextAreaGadget>(gid::kCodeView);
  GtkTextTag* mark =
      gtk_text_tag_table_lookup(gtk_text_buffer_get_tag_table(view->Buffer()), "first-match");
  ASSERT_NE(mark, nullptr);
  GtkTextIter start;
  gtk_text_buffer_get_iter_at_line_offset(view->Buffer(), &start, 300, 38);
  GtkTextIter end = start;
  ASSERT_TRUE(gtk_text_iter_starts_tag(&start, mark));
  ASSERT_TRUE(gtk_text_iter_forward_to_tag_toggle(&end, mark));
  EXPECT_EQ(gtk_text_iter_get_offset(&end) - gtk_text_iter_get_offset(&start), 12);
  ASSERT_TRUE(testsupport::RunUntil([&] {
    GdkRectangle visible;
    gtk_text_view_get_visible_rect(view->View(), &visible);
    int y = 0;
    int height = 0;
    gtk_text_view_get_line_yrange(view->View(), &start, &y, &height);
    return y >= visible.y && y + height <= visible.y + visible.height;
  })) << "line 301 scrolled into view";

  Find("", false);
  EXPECT_FALSE(gtk_text_iter_has_tag(&start, mark)) << "the cleared field takes the mark away";
  Type("secretgadget");
  Find("secretgadget", false);
  testsupport::Settle(*app_);
  ASSERT_TRUE(gtk_text_iter_has_tag(&start, mark));
  testsupport::SelectIndexRow(*app_, 2);
  testsupport::SelectIndexRow(*app_, 3);
  gtk_text_buffer_get_iter_at_line_offset(view->Buffer(), &start, 300, 38);
  EXPECT_FALSE(gtk_text_iter_has_tag(&start, mark)) << "a row chosen by hand shows no mark";

  // Another scope chosen gives the code index back.
  ASSERT_NE(app::ReadyCodeIndex(*app_), nullptr);
  app_->settings.searchMode = library::SearchMode::IndexAndDescription;
  app::PrepareSearch(*app_);
  EXPECT_EQ(app::ReadyCodeIndex(*app_), nullptr);
  EXPECT_EQ(app_->codeIndex.texts.HeldBytes(), library::LoweredTexts().HeldBytes());
}

TEST_F(Search, IdenticalChangesWhileTheFirstWaitsLeadToOneSearch) {
  GtkEntry* entry = Field().Entry();
  g_signal_emit_by_name(entry, "changed");
  g_signal_emit_by_name(entry, "changed");
  EXPECT_TRUE(OneChangeOf(gid::kSearchField));
  // Once the first was taken, the next identical change searches again.
  g_signal_emit_by_name(entry, "changed");
  EXPECT_TRUE(OneChangeOf(gid::kSearchField));
}

// The background colours the search hints and the copy blink paint.
constexpr int kNotFoundColour = 8622560;
constexpr int kCopiedColour = 12432436;

// Records the background colour the theme gives the gadget's widget each
// time the widget is drawn while the recorder lives: the colour that is
// actually painted.
struct DrawnColours {
  toolkit::Gadget* gadget;
  std::vector<int> colours;
  gulong handler;

  explicit DrawnColours(toolkit::Gadget* watched)
      : gadget(watched),
        handler(g_signal_connect(watched->Widget(), "draw", G_CALLBACK(OnDraw), this)) {}
  DrawnColours(const DrawnColours&) = delete;
  DrawnColours& operator=(const DrawnColours&) = delete;
  ~DrawnColours() { g_signal_handler_disconnect(gadget->Widget(), handler); }

  static gboolean OnDraw(GtkWidget* widget, cairo_t*, gpointer data) {
    GtkStyleContext* context = gtk_widget_get_style_context(widget);
    GdkRGBA* rgba = nullptr;
    gtk_style_context_get(context, gtk_style_context_get_state(context), "background-color", &rgba,
                          nullptr);
    const auto byte = [](double part) { return static_cast<int>(part * 255.0 + 0.5); };
    static_cast<DrawnColours*>(data)->colours.push_back(byte(rgba->red) + byte(rgba->green) * 256 +
                                                        byte(rgba->blue) * 65536);
    gdk_rgba_free(rgba);
    return FALSE;
  }
  bool Saw(int colour) const {
    return std::find(colours.begin(), colours.end(), colour) != colours.end();
  }
};

TEST_F(Search, HintsPaintTheirColourAndPutEverythingBack) {
  DrawnColours field(app_->ui.FindGadget(gid::kSearchField));
  toolkit::Window* window = app_->ui.FindWindow(app::window_id::kMain);
  const int x = window->X();

  app::BlinkGadget(*app_, gid::kSearchField);
  EXPECT_TRUE(field.Saw(kNotFoundColour));
  EXPECT_EQ(field.gadget->Colour(toolkit::ColourAttribute::Background), -1);

  field.colours.clear();
  app::ShakeAndColour(*app_, app::window_id::kMain, gid::kSearchField, 5);
  EXPECT_TRUE(field.Saw(kNotFoundColour));
  EXPECT_EQ(field.gadget->Colour(toolkit::ColourAttribute::Background), -1);
  // A hint returns only when the window is back home, so hints one after the
  // other never let it drift.
  EXPECT_EQ(window->X(), x);
  app::ShakeWindow(*app_, app::window_id::kMain, 5);
  EXPECT_EQ(window->X(), x);
  app::ShakeWindow(*app_, app::window_id::kMain, 5);
  EXPECT_EQ(window->X(), x);

  // The database-information window's file field confirms a copy with a
  // blink in its own colour.
  dialogs::CreateDatabaseInfoWindow(*app_);
  app_->ui.SetGadgetText(gid::kInfoFileField, "Basics/Hello.ox");
  app_->ui.ShowWindow(app::window_id::kDatabaseInfo, true);
  testsupport::Settle(*app_);
  DrawnColours file(app_->ui.FindGadget(gid::kInfoFileField));
  dialogs::CopySelectedFilePath(*app_);
  EXPECT_TRUE(file.Saw(kCopiedColour));
}

TEST_F(Search, TakingBackSeveralCharactersGivesOneHint) {
  DrawnColours field(app_->ui.FindGadget(gid::kSearchField));
  // Searches for the term as typed, then for each change of the field that
  // follows, and counts the hint's paintings.
  const auto hintsFor = [&](const std::string& term) {
    // The last hint's colour is painted away first.
    testsupport::RunFor(100);
    Type(term);
    field.colours.clear();
    Find(term, false);
    for (std::vector<toolkit::Event> events = GadgetEvents(); !events.empty();
         events = GadgetEvents()) {
      for (const toolkit::Event& event : events) {
        if (event.object == gid::kSearchField) app::DispatchEvent(*app_, event);
      }
    }
    return std::count(field.colours.begin(), field.colours.end(), kNotFoundColour);
  };
  const auto once = hintsFor("Knopfq");
  EXPECT_EQ(FieldText(), "Knopf");
  ASSERT_GT(once, 0);
  // Each shorter term that finds nothing loses its last character too, with
  // no hint of its own.
  EXPECT_EQ(hintsFor("Knopfqqqq"), once);
  EXPECT_EQ(FieldText(), "Knopf");
  EXPECT_EQ(Selected(), 3);
  // The next term typed that finds nothing gives its hint again.
  EXPECT_EQ(hintsFor("Knopfq"), once);
}

// Puts a key press into the toolkit's queue, as one typed while the program
// is busy.
void PressKeyLater(GtkWidget* focus, guint keyval) {
  GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
  event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(focus)));
  event->key.send_event = TRUE;
  event->key.time = GDK_CURRENT_TIME;
  event->key.keyval = keyval;
  gdk_event_set_device(
      event, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
  gdk_event_put(event);
  gdk_event_free(event);
}

TEST_F(Search, NoShakeForATermTypedPastAlready) {
  app_->settings.searchHint = library::SearchHint::Shake;
  toolkit::Window* window = app_->ui.FindWindow(app::window_id::kMain);
  testsupport::Settle(*app_);
  // Where the window is put, each time: each shake moves it to the right of
  // where it comes to rest twice.
  std::vector<int> places;
  const gulong handler = g_signal_connect(
      window->Handle(), "configure-event",
      G_CALLBACK(+[](GtkWidget*, GdkEventConfigure* event, std::vector<int>* xs) -> gboolean {
        xs->push_back(event->x);
        return FALSE;
      }),
      &places);
  // "q" and "x" are typed quickly: "x" waits in the toolkit while the search
  // for "Knopfq" runs. As in the program's loop, the toolkit's input is read
  // only when none of the program's events waits. The searches are followed;
  // the entries they select are not shown.
  gtk_widget_grab_focus(Field().Widget());
  Type("Knopfq");
  PressKeyLater(Field().Widget(), GDK_KEY_x);
  Find("Knopfq", false);
  for (int quiet = 0; quiet < 3;) {
    if (std::optional<toolkit::Event> event = app_->ui.Events().Take()) {
      if (event->object == gid::kSearchField) app::DispatchEvent(*app_, *event);
      quiet = 0;
    } else {
      testsupport::RunFor(100);
      ++quiet;
    }
  }
  g_signal_handler_disconnect(window->Handle(), handler);
  EXPECT_EQ(FieldText(), "Knopf");
  ASSERT_FALSE(places.empty());
  EXPECT_EQ(std::count_if(places.begin(), places.end(), [&](int x) { return x > places.back(); }),
            2);
}

TEST_F(Search, HintSettingChoosesTheEffectAndUnknownValuesGiveBoth) {
  DrawnColours field(app_->ui.FindGadget(gid::kSearchField));
  struct Case {
    std::int64_t hint;
    bool coloured;
  };
  for (const Case c :
       {Case{1, false}, Case{2, true}, Case{0, true}, Case{7, true}, Case{-3, true}}) {
    app_->settings.searchHint = static_cast<library::SearchHint>(c.hint);
    field.colours.clear();
    Find("nirgends", true);
    EXPECT_EQ(field.Saw(kNotFoundColour), c.coloured) << c.hint;
  }
}

}  // namespace

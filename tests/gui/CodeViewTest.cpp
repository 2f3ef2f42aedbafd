// The code view in the real main window: loading an entry's file, the missing
// file report, drops, the recently viewed list, the colouring with its link
// labels, and zooming with Ctrl and the wheel.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/EntrySelection.h"
#include "app/FileDragDrop.h"
#include "app/Ids.h"
#include "codeview/CodeFileLoading.h"
#include "codeview/CodeZoom.h"
#include "codeview/HighlightCode.h"
#include "codeview/RecentFiles.h"
#include "codeview/core/HighlightRanges.h"
#include "library/DatabaseLoading.h"
#include "support/StubPrograms.h"
#include "support/TempDirectory.h"
#include "toolkit/GLibHandles.h"
#include "toolkit/TextAreaGadget.h"
#include "toolkit/Window.h"

namespace {

namespace gid = app::gadget_id;
using toolkit::event_type::kChange;
using toolkit::event_type::kLeftClick;

// Rows: 0 root, 1 Basics, 2 Hello, 3 Lost (missing file), 4 Topic (no file),
// 5 Deep below it, 6 Plain (a text file), 7 Gone (another missing file).
constexpr const char* kDatabase = R"(<lib Name="Root">Orvex API Library 2026-12-01
  <cat Name="Basics">First steps
    <e theme_de="Hallo" theme_en="Hello" theme_fr="Salut" descript_de="Sagt hallo"
       descript_en="Says hello" descript_fr="Dit bonjour" File="/Basics/Hello.ox"/>
    <e theme_de="Weg" theme_en="Lost" theme_fr="Perdu" File="Basics/Lost.ox"/>
    <e theme_de="Thema" theme_en="Topic" theme_fr="Sujet">A topic
      <e theme_de="Tief" theme_en="Deep" theme_fr="Profond" File="Basics/Deep.ox"/>
    </e>
    <e theme_de="Text" theme_en="Plain" theme_fr="Texte" File="Basics/Plain.txt"/>
    <e theme_de="Fort" theme_en="Gone" theme_fr="Parti" File="Basics/Gone.ox"/>
  </cat>
</lib>)";

constexpr const char* kHello =
    "\xEF\xBB\xBF"
    "; Greets\r\n"
    "Procedure Hello(name.s)\r\n"
    "  Debug \"Hi; \" + name ; Link to topic:   https://example.org/a?b=1&c=<2>\r\n"
    "EndProcedure\r\n"
    "?Hello(\"you\")\r\n"
    "; Link to topic:   \r\n"
    "; IDE Options = Orvex\r\n"
    "; EnableUnicode\r\n";

constexpr const char* kHelloShown =
    "; Greets\n"
    "Procedure Hello(name.s)\n"
    "  Debug \"Hi; \" + name ; Link to topic:   https://example.org/a?b=1&c=<2>\n"
    "EndProcedure\n"
    "Hello(\"you\")\n"
    "; Link to topic:   ";

// The same text coloured: the link target left the text for its label.
constexpr const char* kHelloColoured =
    "; Greets\n"
    "Procedure Hello(name.s)\n"
    "  Debug \"Hi; \" + name ; Link to topic:   \n"
    "EndProcedure\n"
    "Hello(\"you\")\n"
    "; Link to topic:   ";

// A main window showing the test database, its library in a temporary folder.
class CodeViewWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    temp_.Write("Basics/Hello.ox", kHello);
    temp_.Write("Basics/Deep.ox", "Deep\n");
    temp_.Write("Basics/Plain.txt", "If x ; not coloured\n");
    app_ = testsupport::NewAppShowing(kDatabase, [this](app::AppState& app) {
      app.settings.libPath = temp_.Path() + "/";
      app.settings.codeMarks = library::CodeMarking::BlueBold;
      app.database.directory = "/db/folder/";
    });
    ASSERT_TRUE(app_);
  }

  toolkit::TextAreaGadget& Code() {
    return *app_->ui.Find<toolkit::TextAreaGadget>(gid::kCodeView);
  }
  std::string CodeText() { return Code().Text(); }
  std::string Title() { return app_->ui.FindWindow(app::window_id::kMain)->Title(); }
  std::string Description() { return app_->ui.GadgetText(gid::kDescriptionView); }

  void Select(int row, int eventType = kChange) {
    app_->ui.SetGadgetState(gid::kIndexTree, row);
    app::ShowIndexSelection(*app_, eventType);
  }

  // Selects a row whose file is missing while a message box may open.
  testsupport::MessageSeen SelectExpectingMessage(int row) {
    testsupport::MessageCatcher catcher;
    Select(row);
    testsupport::RunFor(50);
    return catcher.Seen();
  }

  TempDirectory temp_;
  std::unique_ptr<app::AppState> app_;
};

// The same, with beep replaced by a stub that records its arguments.
class CodeView : public CodeViewWindow {
 protected:
  StubPrograms stubs_{{"beep"}};
};

TEST_F(CodeView, SelectingAnEntryShowsItsCodeDescriptionAndTitle) {
  Select(2);
  EXPECT_EQ(CodeText(), kHelloColoured) << "mark, CR LF, leading ? and options block handled";
  EXPECT_EQ(Description(), "Sagt hallo");
  EXPECT_EQ(Title(), "Linux OX-ZUR-Erirada-Vuvazo ~ /Basics/Hello.ox");
  EXPECT_EQ(app_->currentCodeFile, "/Basics/Hello.ox");
  EXPECT_TRUE(app_->sourceIsUtf8);
  EXPECT_TRUE(app_->executableUnicode);
  EXPECT_EQ(app_->database.current, 2u);

  // A category row shows its own text; a row without a file empties the view.
  Select(1);
  EXPECT_EQ(Description(), "First steps");
  EXPECT_EQ(CodeText(), "");
  EXPECT_EQ(Title(), "Linux OX-ZUR-Erirada-Vuvazo");
  EXPECT_EQ(app_->currentCodeFile, "");

  // The title follows the title-content setting.
  app_->settings.sourceInTitle = library::TitleContent::FileName;
  Select(2);
  EXPECT_EQ(Title(), "Linux OX-ZUR-Erirada-Vuvazo ~ Hello.ox");
  Select(5);
  app_->settings.sourceInTitle = library::TitleContent::DatabaseFolderAndFile;
  Select(2);
  EXPECT_EQ(Title(), "Linux OX-ZUR-Erirada-Vuvazo ~ /db/folder/Basics/Hello.ox");
  app_->settings.sourceInTitle = static_cast<library::TitleContent>(7);
  Select(5);
  EXPECT_EQ(Title(), "Linux OX-ZUR-Erirada-Vuvazo ~ /db/folder/Basics/Deep.ox");

  // The description in the index language; a file outside the list stays plain.
  app_->settings.language = library::Language::English;
  Select(6);
  EXPECT_EQ(CodeText(), "If x ; not coloured");
  GtkTextIter start;
  gtk_text_buffer_get_start_iter(Code().Buffer(), &start);
  EXPECT_EQ(gtk_text_iter_get_tags(&start), nullptr);
}

TEST_F(CodeView, MissingFileIsReportedOnceThenByBannerAndNotRetriedOnReclick) {
  const std::string beepRecord = stubs_.Folder() + "/../beep.args";
  const testsupport::MessageSeen seen = SelectExpectingMessage(3);
  EXPECT_EQ(seen.title, "Linux OX-ZUR-Erirada-Vuvazo");
  EXPECT_EQ(seen.text, "Missing file:\nBasics/Lost.ox\n\nCheck library-path in settings:\n" +
                           temp_.Path() + "/");
  EXPECT_EQ(stubs_.Arguments("beep"), (std::vector<std::string>{"-f", "130.8", "-l", "100"}));
  EXPECT_EQ(CodeText(), "");
  EXPECT_FALSE(app_->reportMissingFile);
  EXPECT_EQ(app_->currentCodeFile, "Basics/Lost.ox") << "set also for a missing file";
  EXPECT_EQ(Title(), "Linux OX-ZUR-Erirada-Vuvazo ~ Basics/Lost.ox");

  // A plain re-click of the same entry does not try the file again.
  std::filesystem::remove(beepRecord);
  Select(3, kLeftClick);
  EXPECT_FALSE(stubs_.Ran("beep"));

  // The next missing file shows the banner instead of a message.
  Select(7);
  EXPECT_EQ(CodeText(),
            "*************************\n***   Missing file!   ***\n*************************");
  EXPECT_TRUE(stubs_.Ran("beep"));

  // The description background tells a missing file from a shown one.
  auto* description = app_->ui.FindGadget(gid::kDescriptionView);
  EXPECT_EQ(description->Colour(toolkit::ColourAttribute::Background), 8622560);
  Select(2);
  EXPECT_EQ(description->Colour(toolkit::ColourAttribute::Background), -1);
}

// The view no longer shows the current file after a drop or a reload, so
// selecting the entry again shows its code.
TEST_F(CodeView, ReselectingAfterADropOrAReloadShowsTheCodeAgain) {
  const std::string dropped = temp_.Write("Dropped.oxi", "Dropped code\n");
  Select(2);
  toolkit::Event drop{};
  drop.kind = toolkit::EventKind::Gadget;
  drop.object = gid::kCodeView;
  auto data = std::make_shared<toolkit::DropData>();
  data->type = toolkit::DropData::Type::Files;
  data->files = {dropped};
  drop.drop = data;
  app::DropOnCodeView(*app_, drop);
  EXPECT_EQ(CodeText(), "Dropped code");
  EXPECT_EQ(Description(), "Extern file ...");
  EXPECT_EQ(Title(), "Linux OX-ZUR-Erirada-Vuvazo ~ Dropped.oxi");
  EXPECT_EQ(app_->ui.GadgetState(gid::kIndexTree), -1);
  EXPECT_EQ(app_->currentCodeFile, "/Basics/Hello.ox") << "a drop does not change it";

  Select(2, kLeftClick);
  EXPECT_EQ(CodeText(), kHelloColoured);

  const std::string database = temp_.Write("Toc.xml", kDatabase);
  library::ReloadDatabase(*app_, database, temp_.Path() + "/");
  testsupport::Settle(*app_);
  Select(2, kLeftClick);
  EXPECT_EQ(CodeText(), kHelloColoured);
}

TEST_F(CodeView, DropsAreCheckedByTheirExtension) {
  Select(2);
  struct Case {
    std::string name;
    std::string refusal;  // empty when the file is taken
  };
  const Case cases[] = {
      {"UPPER.OX", "File type 'OX' not supported!\nNot loaded!"},
      {"noextension", "File type '' not supported!\nNot loaded!"},
      {"readme.txt", "File type 'txt' not supported!\nNot loaded!"},
      {"fragment.x", ""},
      {"joined.i;ox", ""},
  };
  for (const Case& item : cases) {
    SCOPED_TRACE(item.name);
    const std::string path = temp_.Write("drops/" + item.name, "Text of " + item.name);
    testsupport::MessageCatcher catcher;
    const bool loaded = codeview::LoadCodeFile(*app_, path + "\n/second/file.ox", true);
    testsupport::RunFor(30);
    EXPECT_EQ(loaded, item.refusal.empty());
    EXPECT_EQ(catcher.Seen().text, item.refusal);
    if (item.refusal.empty()) {
      EXPECT_EQ(CodeText(), "Text of " + item.name);
    }
  }
}

TEST_F(CodeView, RecentlyViewedListKeepsTheNewestTenWithoutDuplicates) {
  std::vector<std::int64_t> recent;
  for (std::int64_t i = 1; i <= 11; ++i) codeview::PushRecentFile(recent, i);
  EXPECT_EQ(recent, (std::vector<std::int64_t>{11, 10, 9, 8, 7, 6, 5, 4, 3, 2}));
  codeview::PushRecentFile(recent, 5);
  EXPECT_EQ(recent, (std::vector<std::int64_t>{5, 11, 10, 9, 8, 7, 6, 4, 3, 2}));

  // A change loads without recording; the click on the shown row records.
  Select(2);
  EXPECT_TRUE(app_->recentFiles.empty());
  Select(2, kLeftClick);
  Select(5);
  Select(5, kLeftClick);
  EXPECT_EQ(app_->recentFiles, (std::vector<std::int64_t>{5, 2}));
  EXPECT_EQ(app_->ui.CountGadgetItems(gid::kHistoryBox), 2);
  EXPECT_EQ(app_->ui.GadgetItemText(gid::kHistoryBox, 0), "Deep.ox");
  EXPECT_EQ(app_->ui.GadgetItemText(gid::kHistoryBox, 1), "Hello.ox");
  EXPECT_EQ(app_->ui.GadgetState(gid::kHistoryBox), 0);

  // Choosing the older file jumps back to its entry.
  app_->ui.SetGadgetState(gid::kHistoryBox, 1);
  app::ShowRecentSelection(*app_);
  EXPECT_EQ(app_->ui.GadgetState(gid::kIndexTree), 2);
  EXPECT_EQ(CodeText(), kHelloColoured);
  EXPECT_EQ(Description(), "Sagt hallo");
  EXPECT_EQ(app_->recentFiles, (std::vector<std::int64_t>{5, 2})) << "the list is unchanged";
}

// The names of the tags on the character at a line and byte index.
std::vector<std::string> TagsAt(GtkTextBuffer* buffer, int line, int index) {
  GtkTextIter iter;
  gtk_text_buffer_get_iter_at_line_index(buffer, &iter, line, index);
  std::vector<std::string> names;
  GSList* tags = gtk_text_iter_get_tags(&iter);
  for (GSList* item = tags; item; item = item->next) {
    gchar* name = nullptr;
    g_object_get(item->data, "name", &name, nullptr);
    names.push_back(name ? name : "");
    g_free(name);
  }
  g_slist_free(tags);
  return names;
}

TEST_F(CodeView, ColouringTagsTheTextAndTurnsLinksIntoLabels) {
  Select(2);
  GtkTextBuffer* buffer = Code().Buffer();
  using Names = std::vector<std::string>;
  EXPECT_EQ(TagsAt(buffer, 0, 0), Names{"Disable"});
  EXPECT_EQ(TagsAt(buffer, 1, 0), Names{"BlueBold"}) << "Procedure";
  EXPECT_EQ(TagsAt(buffer, 1, 10), Names{"Function"}) << "Hello";
  EXPECT_EQ(TagsAt(buffer, 2, 9), Names{"Literal"}) << "inside the string";
  EXPECT_EQ(TagsAt(buffer, 2, 22), Names{"Disable"}) << "the comment after the string";
  EXPECT_EQ(TagsAt(buffer, 4, 0), Names{"FuncCall"}) << "the use of Hello";
  EXPECT_EQ(app_->procedureNames, Names{"Hello"});

  // The targets left the text; a label at each anchor shows them, escaped.
  EXPECT_EQ(CodeText().find("example.org"), std::string::npos);
  std::vector<std::string> labels;
  GtkTextIter iter;
  gtk_text_buffer_get_start_iter(buffer, &iter);
  do {
    GtkTextChildAnchor* anchor = gtk_text_iter_get_child_anchor(&iter);
    if (!anchor) continue;
    GList* widgets = gtk_text_child_anchor_get_widgets(anchor);
    ASSERT_EQ(g_list_length(widgets), 1u);
    EXPECT_TRUE(gtk_widget_get_visible(GTK_WIDGET(widgets->data)));
    labels.emplace_back(gtk_label_get_label(GTK_LABEL(widgets->data)));
    g_list_free(widgets);
  } while (gtk_text_iter_forward_char(&iter));
  EXPECT_EQ(labels, (Names{"<a href=\"https://example.org/a?b=1&amp;c=&lt;2&gt;\">"
                           "https://example.org/a?b=1&amp;c=&lt;2&gt;</a>",
                           "<a href=\"\"></a>"}));

  // Colouring off: plain text, links stay text.
  app_->settings.codeMarks = library::CodeMarking::Plain;
  Select(5);
  Select(2);
  EXPECT_EQ(CodeText(), kHelloShown);
  EXPECT_TRUE(TagsAt(buffer, 0, 0).empty());
}

// The tag toggles and child anchors of a buffer in text order, as
// "offset+Tag", "offset-Tag" and "offset@".
std::vector<std::string> Marks(GtkTextBuffer* buffer) {
  std::vector<std::string> marks;
  GtkTextIter iter;
  gtk_text_buffer_get_start_iter(buffer, &iter);
  do {
    const std::string at = std::to_string(gtk_text_iter_get_offset(&iter));
    for (const bool on : {false, true}) {
      std::vector<std::string> names;
      GSList* tags = gtk_text_iter_get_toggled_tags(&iter, on ? TRUE : FALSE);
      for (GSList* item = tags; item; item = item->next) {
        gchar* name = nullptr;
        g_object_get(item->data, "name", &name, nullptr);
        names.push_back(at + (on ? "+" : "-") + name);
        g_free(name);
      }
      g_slist_free(tags);
      std::sort(names.begin(), names.end());
      marks.insert(marks.end(), names.begin(), names.end());
    }
    if (gtk_text_iter_get_child_anchor(&iter)) marks.push_back(at + "@");
  } while (gtk_text_iter_forward_to_tag_toggle(&iter, nullptr) || !gtk_text_iter_is_end(&iter));
  return marks;
}

// The text coloured all at once: every range of every tag over the whole
// text, then each link's target replaced by an anchor, the last first.
std::vector<std::string> ColouredAllAtOnce(GtkTextTagTable* tags, const std::string& text) {
  GtkTextBuffer* buffer = gtk_text_buffer_new(tags);
  gtk_text_buffer_set_text(buffer, text.c_str(), static_cast<int>(text.size()));
  const codeview::HighlightRanges found =
      codeview::ScanHighlightRanges(text, library::CodeMarking::BlueBold);
  const codeview::LineIndex lines(text);
  auto iterAt = [&](std::size_t offset) {
    const codeview::LineIndex::Position position = lines.Locate(offset);
    GtkTextIter iter;
    gtk_text_buffer_get_iter_at_line_index(buffer, &iter, position.line, position.index);
    return iter;
  };
  for (std::size_t tag = 0; tag < codeview::kTagCount; ++tag) {
    for (const codeview::TextRange& range : found.ranges[tag]) {
      GtkTextIter start = iterAt(range.start);
      GtkTextIter end = iterAt(range.end);
      gtk_text_buffer_apply_tag_by_name(buffer, codeview::kTagNames[tag], &start, &end);
    }
  }
  // The first 100 links get their label, the rest stay text.
  const auto labelled =
      std::ssize(found.links) - std::min<std::ptrdiff_t>(std::ssize(found.links), 100);
  for (auto link = found.links.rbegin() + labelled; link != found.links.rend(); ++link) {
    GtkTextIter start = iterAt(link->targetStart);
    GtkTextIter end = iterAt(link->targetEnd);
    gtk_text_buffer_delete(buffer, &start, &end);
    gtk_text_buffer_create_child_anchor(buffer, &start);
  }
  std::vector<std::string> marks = Marks(buffer);
  g_object_unref(buffer);
  return marks;
}

// Where two lists of marks first differ, with the marks around it; empty
// when they are the same.
std::string FirstDifference(const std::vector<std::string>& seen,
                            const std::vector<std::string>& expected) {
  const auto [differs, _] =
      std::mismatch(seen.begin(), seen.end(), expected.begin(), expected.end());
  const auto at = differs - seen.begin();
  if (differs == seen.end() && seen.size() == expected.size()) return "";
  std::string context = "mark " + std::to_string(at) + ", seen/expected:";
  for (auto i = std::max<std::ptrdiff_t>(0, at - 3); i < at + 4; ++i) {
    context += " " + (i < std::ssize(seen) ? seen[i] : "") + "/" +
               (i < std::ssize(expected) ? expected[i] : "");
  }
  return context;
}

// Long files are coloured where the view looks first and the rest while the
// program waits; the end result is the same as colouring all at once, and
// another file stops the colouring of the old one.
TEST_F(CodeViewWindow, ColouringBitByBitEndsAsColouringAllAtOnce) {
  const char* data = std::getenv("ORVEX_TEST_DATA");
  const std::filesystem::path library =
      std::filesystem::path(data ? data : ".") / "../../sample/Library";
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(library)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".ox") || name.ends_with(".oxi")) files.push_back(entry.path().string());
  }
  ASSERT_GT(files.size(), 10u);
  std::string longCode;
  for (int copy = 0; copy < 150; ++copy) {
    // Without their options blocks, which end a code file's text.
    const std::string code = TempDirectory::Read(files[copy % 10]);
    longCode += code.substr(0, code.find("; IDE Options"));
  }
  temp_.Write("Long.ox", longCode);
  files.push_back(temp_.Path() + "/Long.ox");
  app_->settings.libPath = "/";

  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    app_->settings.codeMarks = library::CodeMarking::Plain;
    ASSERT_TRUE(codeview::LoadCodeFile(*app_, file, false));
    const std::string text = CodeText();
    app_->settings.codeMarks = library::CodeMarking::BlueBold;
    ASSERT_TRUE(codeview::LoadCodeFile(*app_, file, false));
    if (file.ends_with("Long.ox")) {
      EXPECT_TRUE(codeview::ColouringPending(Code())) << "the rest follows while the loop is idle";
    }
    ASSERT_TRUE(testsupport::RunUntil([&] { return !codeview::ColouringPending(Code()); }));
    EXPECT_EQ(
        FirstDifference(Marks(Code().Buffer()),
                        ColouredAllAtOnce(gtk_text_buffer_get_tag_table(Code().Buffer()), text)),
        "");
  }

  ASSERT_TRUE(codeview::LoadCodeFile(*app_, files.back(), false));
  ASSERT_TRUE(codeview::ColouringPending(Code()));
  app_->settings.libPath = temp_.Path() + "/";
  Select(2);
  EXPECT_FALSE(codeview::ColouringPending(Code()));
  testsupport::RunFor(100);
  EXPECT_EQ(CodeText(), kHelloColoured) << "nothing of the long file reaches the next";

  // The window may close while a long file is being coloured.
  ASSERT_TRUE(codeview::LoadCodeFile(*app_, "Long.ox", false));
  EXPECT_TRUE(codeview::ColouringPending(Code()));
}

TEST(TopicLinks, OnlyWebAddressesOpen) {
  EXPECT_TRUE(codeview::IsOpenableTopicLink("https://example.org/x"));
  EXPECT_TRUE(codeview::IsOpenableTopicLink("HTTP://example.org"));
  for (const char* target : {"", "file:///etc/passwd", "smb://host/share", "javascript:x",
                             "example.org", "httpx://a", "https:"}) {
    EXPECT_FALSE(codeview::IsOpenableTopicLink(target)) << target;
  }
}

// A scroll event as the toolkit delivers it to the code view.
gboolean Scroll(app::AppState& app, GdkScrollDirection direction, bool control, double deltaY = 0) {
  toolkit::GdkEventPtr event(gdk_event_new(GDK_SCROLL));
  GtkWidget* widget = app.ui.GadgetWidget(gid::kCodeView);
  event->scroll.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(widget)));
  event->scroll.direction = direction;
  event->scroll.state = control ? GDK_CONTROL_MASK : 0;
  event->scroll.delta_y = deltaY;
  return codeview::OnCodeViewScroll(widget, &event->scroll, &app);
}

// The size of the code view's font in Pango units.
int CodeFontSize(app::AppState& app) {
  const PangoFontDescription* font = app.ui.FindGadget(gid::kCodeView)->Font();
  return font ? pango_font_description_get_size(font) : 0;
}

// The height of the code view's first line in pixels, once laid out.
int FirstLineHeight(app::AppState& app) {
  testsupport::RunFor(100);
  auto* code = app.ui.Find<toolkit::TextAreaGadget>(gid::kCodeView);
  GtkTextIter start;
  gtk_text_buffer_get_start_iter(code->Buffer(), &start);
  int y = 0;
  int height = 0;
  gtk_text_view_get_line_yrange(code->View(), &start, &y, &height);
  return height;
}

TEST_F(CodeView, CtrlWheelZoomsThroughTheEightSteps) {
  const std::string beepRecord = stubs_.Folder() + "/../beep.args";
  app_->settings.fontSize = 10;
  EXPECT_FALSE(Scroll(*app_, GDK_SCROLL_UP, false)) << "without Ctrl the view scrolls";
  EXPECT_EQ(app_->zoomIndex, 3);

  const int expected[] = {5930, 6600, 8530, 10240, 12290, 14750, 17690, 20480};
  EXPECT_TRUE(Scroll(*app_, GDK_SCROLL_UP, true));
  EXPECT_EQ(app_->zoomIndex, 4);
  EXPECT_EQ(CodeFontSize(*app_), expected[4]);
  for (int i = 0; i < 5; ++i) Scroll(*app_, GDK_SCROLL_UP, true);
  EXPECT_EQ(app_->zoomIndex, 7) << "stays at the last step";
  EXPECT_EQ(CodeFontSize(*app_), expected[7]);
  std::filesystem::remove(beepRecord);
  for (int index = 6; index >= 0; --index) {
    Scroll(*app_, GDK_SCROLL_DOWN, true);
    EXPECT_EQ(app_->zoomIndex, index);
    EXPECT_EQ(CodeFontSize(*app_), expected[index]) << "step " << index;
    if (index == 3) {
      EXPECT_EQ(stubs_.Arguments("beep"), (std::vector<std::string>{"-f", "100", "-l", "20"}));
    }
  }
  Scroll(*app_, GDK_SCROLL_DOWN, true);
  EXPECT_EQ(app_->zoomIndex, 0);

  // Once smooth deltas arrived, only deltas of exactly one step zoom.
  EXPECT_TRUE(Scroll(*app_, GDK_SCROLL_SMOOTH, true, -1.0));
  EXPECT_TRUE(app_->smoothScrollSeen);
  EXPECT_EQ(app_->zoomIndex, 1);
  EXPECT_TRUE(Scroll(*app_, GDK_SCROLL_UP, true)) << "consumed, but no step";
  EXPECT_TRUE(Scroll(*app_, GDK_SCROLL_SMOOTH, true, -0.4));
  EXPECT_EQ(app_->zoomIndex, 1);
  EXPECT_TRUE(Scroll(*app_, GDK_SCROLL_SMOOTH, true, 1.0));
  EXPECT_EQ(app_->zoomIndex, 0);

  // A new font from the settings shows at its plain size; the step stays.
  app_->settings.fontSize = 14;
  ASSERT_TRUE(app_->ui.LoadFont(app::font_id::kCode, "Monospace", 14));
  codeview::ShowCodeFontAtNormalSize(*app_);
  EXPECT_EQ(CodeFontSize(*app_), 14 * PANGO_SCALE);
  EXPECT_EQ(app_->zoomIndex, 0);
  Scroll(*app_, GDK_SCROLL_SMOOTH, true, -1.0);
  EXPECT_EQ(CodeFontSize(*app_), 14 * 660) << "step 1 of the new size";
}

// Real wheel turns with Control held, through the X server.
TEST_F(CodeViewWindow, CtrlWheelFromTheXServerZooms) {
  Select(2);
  testsupport::Settle(*app_);
  const int normalHeight = FirstLineHeight(*app_);
  GtkWidget* widget = app_->ui.GadgetWidget(gid::kCodeView);
  auto* window = GTK_WINDOW(gtk_widget_get_toplevel(widget));
  ASSERT_TRUE(testsupport::FocusForKeys(window));
  int x = 0;
  int y = 0;
  gdk_window_get_origin(gtk_widget_get_window(widget), &x, &y);
  const std::string move =
      "xdotool mousemove --sync " + std::to_string(x + 40) + " " + std::to_string(y + 40);
  ASSERT_EQ(testsupport::Run(move), 0);
  ASSERT_EQ(testsupport::Run("xdotool keydown ctrl click 4 click 4 keyup ctrl"), 0);
  ASSERT_TRUE(testsupport::RunUntil([&] { return app_->zoomIndex == 5; }))
      << "index " << app_->zoomIndex;
  ASSERT_EQ(testsupport::Run("xdotool keydown ctrl click 5 keyup ctrl"), 0);
  ASSERT_TRUE(testsupport::RunUntil([&] { return app_->zoomIndex == 4; }));
  testsupport::RunFor(100);
  EXPECT_EQ(app_->zoomIndex, 4) << "one step per notch";
  EXPECT_EQ(CodeFontSize(*app_), 12290);
  EXPECT_GT(FirstLineHeight(*app_), normalHeight) << "the text is drawn larger";
}

}  // namespace

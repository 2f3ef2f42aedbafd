// The index tree in the real main window: Space, Left and Right pressed on
// the keyboard expand, collapse and climb; topic rows are drawn bold and
// version notes highlighted, without one row's look carrying into the next.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/Ids.h"
#include "library/IndexKeys.h"
#include "library/IndexRowMarks.h"
#include "toolkit/GLibHandles.h"
#include "toolkit/TreeGadget.h"

namespace {

namespace gid = app::gadget_id;
using toolkit::item_state::kExpanded;

// Rows: 0 Root, 1 Fenster & Co, 2 Größe ändern, 3 Knopf, 4 Knopf im Fenster
// (under 3), 5 the grid entry with a version note, 6 Listen, 7 Liste.
constexpr const char* kDatabase = R"(<?xml version="1.0" encoding="UTF-8"?>
<lib Name="Root">Library 2026-12-01
  <cat Name="Fenster &amp; Co">Windows
    <e theme_de="Größe ändern" theme_en="Größe ändern" theme_fr="Größe ändern" File="W/Size.ox"/>
    <e theme_de="Knopf" theme_en="Knopf" theme_fr="Knopf" File="W/Button.ox">
      <e theme_de="Knopf im Fenster [gtk3]" theme_en="Knopf im Fenster [gtk3]"
         theme_fr="Knopf im Fenster [gtk3]" File="W/Deep.ox"/>
    </e>
    <e theme_de="Raster &amp; &lt;Gitter&gt; [&gt;=gtk3.10] alt"
       theme_en="Raster &amp; &lt;Gitter&gt; [&gt;=gtk3.10] alt"
       theme_fr="Raster &amp; &lt;Gitter&gt; [&gt;=gtk3.10] alt" File="W/Grid.ox"/>
  </cat>
  <cat Name="Listen">
    <e theme_de="Liste" theme_en="Liste" theme_fr="Liste" File="L/List.ox"/>
  </cat>
</lib>
)";

constexpr int kRoot = 0;
constexpr int kWindows = 1;
constexpr int kResize = 2;
constexpr int kButton = 3;
constexpr int kButtonInWindow = 4;
constexpr int kGrid = 5;
constexpr int kLists = 6;
constexpr int kList = 7;

class IndexKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = testsupport::NewAppShowing(kDatabase);
    ASSERT_TRUE(app_);
    tree_ = app_->ui.Find<toolkit::TreeGadget>(gid::kIndexTree);
    ASSERT_TRUE(tree_);
    ASSERT_EQ(tree_->CountItems(), 8);
    window_ = app_->ui.FindWindow(app::window_id::kMain)->Handle();
    toolkit::ConnectSignal(
        tree_->Widget(), "key-press-event",
        +[](GtkWidget*, GdkEventKey* event, std::vector<guint>* seen) -> gboolean {
          seen->push_back(event->keyval);
          return FALSE;
        },
        &keysSeen_);
    testsupport::DrainEvents(*app_);
  }

  // Selects a row as the arrow keys would: cursor and selection together.
  void Select(int position) {
    GtkTreeIter iter;
    ASSERT_TRUE(tree_->IterOf(position, iter));
    toolkit::GtkTreePathPtr path(gtk_tree_model_get_path(tree_->Model(), &iter));
    gtk_tree_view_set_cursor(tree_->View(), path.get(), nullptr, FALSE);
    testsupport::RunFor(30);
    testsupport::DrainEvents(*app_);
  }

  // Presses a key (xdotool's name, with modifiers as "ctrl+Left") on the
  // focused tree and waits until the tree has seen it.
  void Press(const std::string& keys, guint keyval) {
    ASSERT_TRUE(testsupport::FocusForKeys(window_));
    gtk_widget_grab_focus(tree_->Widget());
    ASSERT_TRUE(testsupport::RunUntil([&] { return gtk_widget_has_focus(tree_->Widget()); }));
    const auto count = [&] { return std::count(keysSeen_.begin(), keysSeen_.end(), keyval); };
    const auto before = count();
    ASSERT_EQ(testsupport::Run("xdotool key --clearmodifiers " + keys), 0);
    ASSERT_TRUE(testsupport::RunUntil([&] { return count() > before; })) << keys;
    testsupport::RunFor(60);
  }

  bool Expanded(int position) const { return (tree_->ItemState(position) & kExpanded) != 0; }
  int Selected() const { return tree_->State(); }

  // Whether the tree reported a selection change since the last call.
  bool SelectionChangeReported() {
    bool reported = false;
    for (const toolkit::Event& event : testsupport::DrainEvents(*app_)) {
      reported |= event.kind == toolkit::EventKind::Gadget && event.object == gid::kIndexTree &&
                  event.type == toolkit::event_type::kChange;
    }
    return reported;
  }

  std::vector<guint> keysSeen_;  // outlives the window that fills it
  std::unique_ptr<app::AppState> app_;
  toolkit::TreeGadget* tree_ = nullptr;
  GtkWindow* window_ = nullptr;
};

TEST_F(IndexKeys, LeftFoldsATopicThenClimbsAndFoldsEachParent) {
  Select(kButton);
  ASSERT_TRUE(Expanded(kButton));

  Press("Left", GDK_KEY_Left);
  EXPECT_FALSE(Expanded(kButton));
  EXPECT_EQ(Selected(), kButton);
  EXPECT_TRUE(Expanded(kWindows));

  Press("Left", GDK_KEY_Left);
  EXPECT_EQ(Selected(), kWindows);
  EXPECT_FALSE(Expanded(kWindows));
  EXPECT_TRUE(SelectionChangeReported());
  EXPECT_TRUE(Expanded(kRoot));

  Press("Left", GDK_KEY_Left);
  EXPECT_EQ(Selected(), kRoot);
  EXPECT_FALSE(Expanded(kRoot));

  // The root has no parent to climb to.
  Press("Left", GDK_KEY_Left);
  EXPECT_EQ(Selected(), kRoot);
  EXPECT_FALSE(Expanded(kRoot));
}

TEST_F(IndexKeys, DownGoesOnFromTheRowTheProgramSelected) {
  // The user was on one row; the program (a search, the recently viewed
  // list) selects another; the arrow keys go on from the new one.
  Select(kResize);
  tree_->SetState(kButton);
  testsupport::DrainEvents(*app_);
  Press("Down", GDK_KEY_Down);
  EXPECT_EQ(Selected(), kButtonInWindow);
}

TEST_F(IndexKeys, LeftOnAnEntrySelectsAndFoldsItsTopic) {
  Select(kResize);
  Press("Left", GDK_KEY_Left);
  EXPECT_EQ(Selected(), kWindows);
  EXPECT_FALSE(Expanded(kWindows));
  EXPECT_TRUE(SelectionChangeReported());
  EXPECT_TRUE(Expanded(kLists));

  // A sub-entry climbs to its entry.
  tree_->SetItemState(kButton, kExpanded);
  Select(kButtonInWindow);
  Press("Left", GDK_KEY_Left);
  EXPECT_EQ(Selected(), kButton);
  EXPECT_FALSE(Expanded(kButton));
  EXPECT_TRUE(Expanded(kWindows));
}

TEST_F(IndexKeys, RightAndSpaceOnAnEntryAndRightOnAnOpenTopicChangeNothing) {
  Select(kResize);
  Press("Right", GDK_KEY_Right);
  Press("space", GDK_KEY_space);
  EXPECT_EQ(Selected(), kResize);
  EXPECT_TRUE(Expanded(kWindows));

  Select(kButton);
  Press("Right", GDK_KEY_Right);
  EXPECT_EQ(Selected(), kButton);
  EXPECT_TRUE(Expanded(kButton));
  EXPECT_TRUE(Expanded(kWindows));
}

TEST_F(IndexKeys, RightExpandsOneLevelOnly) {
  tree_->CollapseAll();
  Select(kRoot);
  Press("Right", GDK_KEY_Right);
  EXPECT_TRUE(Expanded(kRoot));
  EXPECT_FALSE(Expanded(kWindows));
  EXPECT_FALSE(Expanded(kLists));

  // A second Right on the open root leaves its children as they are.
  Press("Right", GDK_KEY_Right);
  EXPECT_EQ(Selected(), kRoot);
  EXPECT_FALSE(Expanded(kWindows));
}

TEST_F(IndexKeys, SpaceTogglesATopic) {
  Select(kWindows);
  Press("space", GDK_KEY_space);
  EXPECT_FALSE(Expanded(kWindows));
  Press("space", GDK_KEY_space);
  EXPECT_TRUE(Expanded(kWindows));
  EXPECT_FALSE(Expanded(kButton));
  EXPECT_EQ(Selected(), kWindows);
}

TEST_F(IndexKeys, KeysWithControlAreLeftToTheTree) {
  Select(kButton);
  Press("ctrl+Left", GDK_KEY_Left);
  EXPECT_TRUE(Expanded(kButton));
  EXPECT_EQ(Selected(), kButton);

  Select(kResize);
  Press("ctrl+Left", GDK_KEY_Left);
  EXPECT_EQ(Selected(), kResize);
  EXPECT_TRUE(Expanded(kWindows));
}

TEST_F(IndexKeys, NoSelectionLeavesTheTreeAsItIs) {
  gtk_tree_selection_unselect_all(gtk_tree_view_get_selection(tree_->View()));
  for (guint key : {GDK_KEY_Left, GDK_KEY_Right, GDK_KEY_space}) {
    library::ExpandCollapseByKey(*tree_, key);
  }
  for (int position = 0; position < tree_->CountItems(); ++position) {
    EXPECT_EQ(Expanded(position), position != kResize && position != kGrid &&
                                      position != kButtonInWindow && position != kList)
        << position;
  }
  EXPECT_EQ(Selected(), -1);
}

// The same window, for how rows are drawn and found.
using IndexRowMarks = IndexKeys;

// What the text renderer was given for a row: its shown text and the runs of
// weight and background set by markup.
struct Drawn {
  std::string text;
  bool bold = false;  // bold from the first byte to the end
  int noteStart = -1;
  int noteEnd = -1;
};

Drawn DrawRow(toolkit::TreeGadget& tree, int position) {
  GtkTreeIter iter;
  EXPECT_TRUE(tree.IterOf(position, iter));
  gtk_tree_view_column_cell_set_cell_data(tree.Column(), tree.Model(), &iter, FALSE, FALSE);
  gchar* text = nullptr;
  PangoAttrList* attributes = nullptr;
  g_object_get(tree.TextRenderer(), "text", &text, "attributes", &attributes, nullptr);
  toolkit::GCharPtr ownedText(text);
  Drawn drawn;
  drawn.text = text ? text : "";
  if (!attributes) return drawn;
  PangoAttrIterator* run = pango_attr_list_get_iterator(attributes);
  do {
    gint start = 0;
    gint end = 0;
    pango_attr_iterator_range(run, &start, &end);
    end = std::min<gint>(end, static_cast<gint>(drawn.text.size()));
    if (auto* weight =
            reinterpret_cast<PangoAttrInt*>(pango_attr_iterator_get(run, PANGO_ATTR_WEIGHT))) {
      drawn.bold = weight->value == PANGO_WEIGHT_BOLD && start == 0 &&
                   end == static_cast<gint>(drawn.text.size());
    }
    if (pango_attr_iterator_get(run, PANGO_ATTR_BACKGROUND)) {
      drawn.noteStart = start;
      drawn.noteEnd = end;
    }
  } while (pango_attr_iterator_next(run));
  pango_attr_iterator_destroy(run);
  pango_attr_list_unref(attributes);
  return drawn;
}

TEST_F(IndexRowMarks, RowsAreDrawnBoldHighlightedOrPlainInTurn) {
  const std::string grid = "Raster & <Gitter> ";
  struct Expected {
    const char* text;
    bool bold;
    int noteStart;
    int noteEnd;
  };
  const Expected expected[] = {
      {"Root", true, -1, -1},
      {"Fenster & Co", true, -1, -1},
      {"Größe ändern", false, -1, -1},
      {"Knopf", false, -1, -1},
      // Level 3: a note marker there is not highlighted.
      {"Knopf im Fenster [gtk3]", false, -1, -1},
      {"Raster & <Gitter> [>=gtk3.10]", false, static_cast<int>(grid.size()),
       static_cast<int>(grid.size() + std::string("[>=gtk3.10]").size())},
      {"Listen", true, -1, -1},
      {"Liste", false, -1, -1},
  };
  // Twice in a row, and backwards, so each row follows rows of other kinds.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < 8; ++i) {
      const int position = pass == 0 ? i : 7 - i;
      const Drawn drawn = DrawRow(*tree_, position);
      const Expected& want = expected[position];
      EXPECT_EQ(drawn.text, want.text) << position;
      EXPECT_EQ(drawn.bold, want.bold) << position;
      EXPECT_EQ(drawn.noteStart, want.noteStart) << position;
      EXPECT_EQ(drawn.noteEnd, want.noteEnd) << position;
    }
  }
}

TEST_F(IndexRowMarks, RowIndexOfPathFollowsTheDepthFirstWalk) {
  // Several roots, deep steps down and jumps back up.
  const int levels[] = {0, 1, 2, 3, 3, 2, 1, 0, 1, 2, 0, 1, 1};
  std::vector<toolkit::TreeGadget::Row> rows;
  for (int level : levels) rows.push_back({"row", nullptr, level, -1, -1});
  tree_->ClearItems();
  tree_->AppendRows(rows);

  struct Walk {
    const toolkit::TreeGadget* tree;
    int counter = 0;
    int mismatches = 0;
  } walk{tree_};
  gtk_tree_model_foreach(
      tree_->Model(),
      +[](GtkTreeModel*, GtkTreePath* path, GtkTreeIter*, gpointer data) -> gboolean {
        auto* w = static_cast<Walk*>(data);
        toolkit::GCharPtr text(gtk_tree_path_to_string(path));
        if (library::RowIndexOfPath(*w->tree, text.get()) != w->counter) ++w->mismatches;
        ++w->counter;
        return FALSE;
      },
      &walk);
  EXPECT_EQ(walk.counter, static_cast<int>(std::size(levels)));
  EXPECT_EQ(walk.mismatches, 0);
  EXPECT_EQ(library::RowIndexOfPath(*tree_, "0:0:0:1"), 4);
  EXPECT_EQ(library::RowIndexOfPath(*tree_, "2:1"), 12);

  for (const char* unknown : {"3", "0:0:2", "0:0:0:0:0", "", "abc", "-1", "0:", ":0", "1::0",
                              "99999999999", static_cast<const char*>(nullptr)}) {
    EXPECT_EQ(library::RowIndexOfPath(*tree_, unknown), -1) << (unknown ? unknown : "null");
  }
}

}  // namespace

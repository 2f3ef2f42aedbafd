#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "GuiTestSupport.h"
#include "Icons.h"
#include "toolkit/ComboBoxGadget.h"
#include "toolkit/ImageGadget.h"
#include "toolkit/TextAreaGadget.h"
#include "toolkit/TreeGadget.h"
#include "toolkit/Ui.h"

namespace {

using testsupport::RunFor;
using toolkit::EventKind;
using toolkit::Ui;
namespace item_state = toolkit::item_state;
namespace event_type = toolkit::event_type;

class ToolkitTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = ui_.OpenWindow(5, -1, -1, 400, 300, "Test", toolkit::window_flag::kSizeGadget);
    ASSERT_TRUE(window_);
  }

  std::vector<toolkit::Event> Drain() {
    std::vector<toolkit::Event> events;
    while (auto event = ui_.Events().Take()) events.push_back(*event);
    return events;
  }

  // A tree: 0 root, 1 A, 2 A.1, 3 A.1.a, 4 A.2, 5 B, 6 B.1
  void FillTree(int id) {
    ui_.CreateTree(id, 0, 0, 200, 200);
    const std::pair<const char*, int> items[] = {{"root", 0}, {"A", 1}, {"A.1", 2}, {"A.1.a", 3},
                                                 {"A.2", 2},  {"B", 1}, {"B.1", 2}};
    for (const auto& [text, level] : items) ui_.AddGadgetItem(id, -1, text, -1, level);
  }

  Ui ui_;
  toolkit::Window* window_ = nullptr;
};

TEST_F(ToolkitTest, UnknownIdentifiersDoNothing) {
  ui_.SetGadgetText(999, "x");
  ui_.SetGadgetState(999, 3);
  ui_.AddGadgetItem(999, -1, "x");
  ui_.ResizeGadget(999, 1, 2, 3, 4);
  ui_.SetGadgetFont(999, 42);
  ui_.DisplayPopupMenu(999, 5);
  ui_.AddShortcut(999, 'A', 1);
  EXPECT_EQ(ui_.GadgetText(999), "");
  EXPECT_EQ(ui_.GadgetState(999), -1);
  EXPECT_EQ(ui_.CountGadgetItems(999), 0);
  EXPECT_EQ(ui_.FindWindow(999), nullptr);
  EXPECT_EQ(ui_.Image(999), nullptr);
  EXPECT_TRUE(Drain().empty());
}

TEST_F(ToolkitTest, TreeItemsAreCountedInDisplayOrderWhetherShownOrNot) {
  FillTree(1);
  EXPECT_EQ(ui_.CountGadgetItems(1), 7);
  EXPECT_EQ(ui_.GadgetItemText(1, 3), "A.1.a");
  EXPECT_EQ(ui_.GadgetItemText(1, 7), "");
  auto* tree = ui_.Find<toolkit::TreeGadget>(1);
  ASSERT_TRUE(tree);
  EXPECT_EQ(tree->ItemLevel(3), 3);
  EXPECT_EQ(tree->ItemLevel(5), 1);
  EXPECT_EQ(tree->PositionOfPath("0:1:0"), 6);
  EXPECT_EQ(tree->PositionOfPath("0:0:0:0"), 3);
  EXPECT_EQ(tree->PositionOfPath("7"), -1);
}

TEST_F(ToolkitTest, TreeItemStatesReportExpansionAndSelection) {
  FillTree(1);
  EXPECT_EQ(ui_.GadgetItemState(1, 0), item_state::kCollapsed);
  ui_.SetGadgetItemState(1, 0, item_state::kExpanded);
  EXPECT_EQ(ui_.GadgetItemState(1, 0), item_state::kExpanded);
  // A row without children never counts as expanded.
  ui_.SetGadgetItemState(1, 4, item_state::kExpanded);
  EXPECT_EQ(ui_.GadgetItemState(1, 4), item_state::kCollapsed);
  ui_.SetGadgetItemState(1, 0, item_state::kCollapsed);
  EXPECT_EQ(ui_.GadgetItemState(1, 0), item_state::kCollapsed);
  ui_.SetGadgetState(1, 5);
  EXPECT_EQ(ui_.GadgetItemState(1, 5) & item_state::kSelected, item_state::kSelected);
}

TEST_F(ToolkitTest, SelectingARowUnderACollapsedParentOpensItsAncestors) {
  FillTree(1);
  auto* tree = ui_.Find<toolkit::TreeGadget>(1);
  tree->CollapseAll();
  ui_.SetGadgetState(1, 3);
  EXPECT_EQ(ui_.GadgetState(1), 3);
  EXPECT_EQ(ui_.GadgetItemState(1, 2) & item_state::kExpanded, item_state::kExpanded);
  ui_.SetGadgetState(1, -1);
  EXPECT_EQ(ui_.GadgetState(1), -1);
  ui_.SetGadgetState(1, 99);
  EXPECT_EQ(ui_.GadgetState(1), -1);
}

TEST_F(ToolkitTest, ExpandAllOpensEveryLevelOfADeepTree) {
  constexpr int kDepth = 10000;
  ui_.CreateTree(1, 0, 0, 200, 200);
  for (int level = 0; level < kDepth; ++level) ui_.AddGadgetItem(1, -1, "row", -1, level);
  ui_.Find<toolkit::TreeGadget>(1)->ExpandAll();
  for (int row : {0, kDepth / 2, kDepth - 2}) {
    EXPECT_EQ(ui_.GadgetItemState(1, row), item_state::kExpanded) << row;
  }
  ui_.SetGadgetState(1, kDepth - 1);
  EXPECT_EQ(ui_.GadgetState(1), kDepth - 1);
}

TEST_F(ToolkitTest, TheColumnFitsRowsInTheWeightTheyAreDrawnIn) {
  const auto fittedWidth = [this](int id, bool bold) {
    ui_.CreateTree(id, 0, 0, 200, 200);
    auto* tree = ui_.Find<toolkit::TreeGadget>(id);
    const toolkit::TreeGadget::Row row{"A rather long category caption", nullptr, 1, -1, -1, bold};
    tree->AppendRows({&row, 1});
    return gtk_tree_view_column_get_fixed_width(gtk_tree_view_get_column(tree->View(), 0));
  };
  EXPECT_GT(fittedWidth(1, true), fittedWidth(2, false));
}

// Of GDK's X11 backend; declared here because its header brings X11's macros
// (None, Bool) that clash with the program's names.
extern "C" void gdk_x11_display_set_window_scale(GdkDisplay* display, gint scale);

// The surface a GtkImage (or an image cell) was given, its device scale and
// its width in pixels.
struct ShownSurface {
  double scale = 0;
  int pixels = 0;
};
ShownSurface SurfaceOf(GObject* shown) {
  cairo_surface_t* surface = nullptr;
  g_object_get(shown, "surface", &surface, nullptr);
  ShownSurface result;
  if (!surface) return result;
  double y = 0;
  cairo_surface_get_device_scale(surface, &result.scale, &y);
  result.pixels = cairo_image_surface_get_width(surface);
  cairo_surface_destroy(surface);
  return result;
}

// On a HiDPI screen (window scale 2) image gadgets, image buttons and tree
// rows show the picture drawn at twice the size, not the small one blown up,
// also when the scale changes while they are shown.
TEST_F(ToolkitTest, ImagesAreShownAtTheScaleOfTheirWindow) {
  GdkDisplay* display = gdk_display_get_default();
  if (std::string_view(G_OBJECT_TYPE_NAME(display)) != "GdkX11Display") {
    GTEST_SKIP() << "sets the window scale of an X11 display";
  }
  std::array<std::span<const unsigned char>, resources::kLargestIconScale> pngs;
  for (std::size_t i = 0; i < pngs.size(); ++i) {
    pngs[i] = resources::IconPng(resources::Icon::Help, static_cast<int>(i) + 1);
  }
  ASSERT_TRUE(ui_.CatchImage(1, pngs));
  ui_.CreateImage(2, 0, 0, 16, 16, 1);
  ui_.CreateImageButton(3, 20, 0, 30, 30, 1);
  ui_.CreateTree(4, 0, 40, 200, 100);
  ui_.AddGadgetItem(4, -1, "row", 1, 0);
  GtkWidget* button = gtk_button_get_image(GTK_BUTTON(ui_.GadgetWidget(3)));
  auto* tree = ui_.Find<toolkit::TreeGadget>(4);
  GtkTreeViewColumn* column = gtk_tree_view_get_column(GTK_TREE_VIEW(tree->Widget()), 0);
  GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(column));
  GObject* cell = G_OBJECT(cells->data);
  g_list_free(cells);
  auto cellSurface = [&] {
    GtkTreeIter iter;
    EXPECT_TRUE(tree->IterOf(0, iter));
    gtk_tree_view_column_cell_set_cell_data(column, tree->Model(), &iter, FALSE, FALSE);
    return SurfaceOf(cell);
  };
  const auto* image = ui_.Find<toolkit::ImageGadget>(2);

  for (const int scale : {2, 1}) {
    SCOPED_TRACE("window scale " + std::to_string(scale));
    gdk_x11_display_set_window_scale(display, scale);
    auto shown = [&] {
      return std::array{SurfaceOf(G_OBJECT(image->ImageWidget())), SurfaceOf(G_OBJECT(button)),
                        cellSurface()};
    };
    testsupport::RunUntil([&] { return shown()[0].scale == scale && shown()[1].scale == scale; });
    for (const ShownSurface surface : shown()) {
      EXPECT_EQ(surface.scale, scale);
      EXPECT_EQ(surface.pixels, 16 * scale);
    }
  }
}

TEST_F(ToolkitTest, ProgramChangesQueueNoEventsButTextFieldEditsDo) {
  FillTree(1);
  ui_.CreateComboBox(2, 0, 210, 100, 30, toolkit::combo_flag::kEditable);
  ui_.CreateTextArea(3, 210, 0, 150, 100, 0);
  ui_.CreateTextField(4, 210, 110, 150, 30);
  RunFor(50);
  Drain();
  ui_.SetGadgetState(1, 2);
  ui_.ClearGadgetItems(1);
  ui_.AddGadgetItem(2, -1, "a.ox");
  ui_.SetGadgetState(2, 0);
  ui_.SetGadgetText(3, "code");
  ui_.AddGadgetItem(3, -1, "line");
  RunFor(50);
  for (const auto& event : Drain()) {
    EXPECT_NE(event.kind, EventKind::Gadget) << "gadget " << event.object << " type " << event.type;
  }

  ui_.SetGadgetText(4, "abc");
  std::vector<toolkit::Event> events;
  for (const auto& event : Drain()) {
    if (event.kind == EventKind::Gadget) events.push_back(event);
  }
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, EventKind::Gadget);
  EXPECT_EQ(events[0].window, 5);
  EXPECT_EQ(events[0].object, 4);
  EXPECT_EQ(events[0].type, event_type::kChange);
}

TEST_F(ToolkitTest, UserSelectionQueuesAChangeEvent) {
  FillTree(1);
  auto* tree = ui_.Find<toolkit::TreeGadget>(1);
  tree->ExpandAll();
  RunFor(50);
  Drain();
  GtkTreePath* path = gtk_tree_path_new_from_string("0:1");
  gtk_tree_view_set_cursor(tree->View(), path, nullptr, FALSE);
  gtk_tree_path_free(path);
  const auto events = Drain();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events[0].object, 1);
  EXPECT_EQ(events[0].type, event_type::kChange);
  EXPECT_EQ(ui_.GadgetState(1), 5);
}

TEST_F(ToolkitTest, ComboBoxItemsAndState) {
  ui_.CreateComboBox(2, 0, 0, 200, 30);
  for (const char* text :
       {"Beide Effekte", "Fenster-'shake'", "Suchfeld blinkt falls unterstützt"}) {
    ui_.AddGadgetItem(2, -1, text);
  }
  EXPECT_EQ(ui_.CountGadgetItems(2), 3);
  EXPECT_EQ(ui_.GadgetState(2), -1);
  ui_.SetGadgetState(2, 1);
  EXPECT_EQ(ui_.GadgetState(2), 1);
  EXPECT_EQ(ui_.GadgetText(2), "Fenster-'shake'");
  ui_.SetGadgetState(2, 7);
  EXPECT_EQ(ui_.GadgetState(2), -1);
  ui_.ClearGadgetItems(2);
  EXPECT_EQ(ui_.CountGadgetItems(2), 0);
}

TEST_F(ToolkitTest, TextAreaAppendsLines) {
  ui_.CreateTextArea(3, 0, 0, 200, 100, toolkit::text_area_flag::kReadOnly);
  for (const char* line : {"first", "", "third ✰"}) ui_.AddGadgetItem(3, -1, line);
  EXPECT_EQ(ui_.GadgetText(3), "first\n\nthird ✰");
  EXPECT_EQ(ui_.CountGadgetItems(3), 3);
  ui_.ClearGadgetItems(3);
  EXPECT_EQ(ui_.GadgetText(3), "");
}

TEST_F(ToolkitTest, GadgetsGoIntoTheOpenContainerUntilItIsClosed) {
  ui_.CreateContainer(10, 50, 60, 200, 200);
  ui_.CreateTextField(11, 5, 6, 100, 30);
  ui_.CloseContainer();
  ui_.CreateTextField(12, 7, 8, 100, 30);
  RunFor(50);
  GtkWidget* inner = ui_.FindGadget(11)->Outer();
  EXPECT_EQ(gtk_widget_get_parent(inner), ui_.GadgetWidget(10));
  EXPECT_EQ(gtk_widget_get_parent(ui_.FindGadget(12)->Outer()), GTK_WIDGET(window_->Layer()));
  EXPECT_EQ(ui_.GadgetX(11), 5);
  EXPECT_EQ(ui_.GadgetY(11), 6);
  ui_.ResizeGadget(12, toolkit::kLeaveUnchanged, 40, toolkit::kLeaveUnchanged, 20);
  EXPECT_EQ(ui_.GadgetX(12), 7);
  RunFor(50);
  EXPECT_EQ(ui_.GadgetY(12), 40);
  EXPECT_EQ(ui_.GadgetWidth(12), 100);
}

TEST_F(ToolkitTest, ColoursAndFontsCanBeSetAndTakenBack) {
  ui_.CreateTextField(4, 0, 0, 150, 30);
  ui_.SetGadgetColour(4, toolkit::ColourAttribute::Background, 8622560);
  EXPECT_EQ(ui_.FindGadget(4)->Colour(toolkit::ColourAttribute::Background), 8622560);
  ui_.SetGadgetColour(4, toolkit::ColourAttribute::Background, -1);
  EXPECT_EQ(ui_.FindGadget(4)->Colour(toolkit::ColourAttribute::Background), -1);
  ASSERT_TRUE(ui_.LoadFont(0, "Monospace bold", 12));
  EXPECT_EQ(pango_font_description_get_weight(ui_.Font(0)), PANGO_WEIGHT_BOLD);
  EXPECT_EQ(pango_font_description_get_size(ui_.Font(0)), 12 * PANGO_SCALE);
  ui_.SetGadgetFont(4, 0);
  EXPECT_FALSE(ui_.LoadFont(1, "", 10));
}

TEST_F(ToolkitTest, ClosingAWindowIsOnlyARequest) {
  window_->Show(true);
  testsupport::RunUntil([&] { return gtk_widget_get_mapped(GTK_WIDGET(window_->Handle())); });
  Drain();
  gtk_window_close(window_->Handle());
  RunFor(50);
  bool closeRequested = false;
  for (const auto& event : Drain()) closeRequested |= event.kind == EventKind::CloseWindow;
  EXPECT_TRUE(closeRequested);
  EXPECT_TRUE(window_->Visible());
}

TEST_F(ToolkitTest, PostedEventWakesABlockedWait) {
  g_timeout_add(
      30,
      +[](gpointer data) -> gboolean {
        static_cast<Ui*>(data)->PostEvent(EventKind::Gadget, 5, 77, event_type::kChange);
        return G_SOURCE_REMOVE;
      },
      &ui_);
  Drain();
  // Window events may come first; the posted one must arrive without any
  // further toolkit activity.
  bool arrived = false;
  for (int i = 0; i < 100 && !arrived; ++i) arrived = ui_.WaitEvent().object == 77;
  EXPECT_TRUE(arrived);
}

TEST_F(ToolkitTest, PopupMenuOpensWithoutATriggerEvent) {
  window_->Show(true);
  testsupport::RunUntil([&] { return gtk_widget_get_mapped(GTK_WIDGET(window_->Handle())); });
  toolkit::PopupMenu* menu = ui_.CreatePopupMenu(1);
  menu->AddItem(9, "Über Linux OX-ZUR-Erirada-Vuvazo ...");
  menu->AddSeparator();
  menu->AddItem(12, "Mit Standard-App öffnen");
  menu->SetItemText(12, "Open with default app");
  EXPECT_EQ(menu->ItemText(12), "Open with default app");
  ui_.DisplayPopupMenu(1, 5);
  RunFor(100);
  gtk_menu_shell_deactivate(GTK_MENU_SHELL(menu->Handle()));
  RunFor(50);
}

TEST_F(ToolkitTest, WindowEventsTellMovesFromResizes) {
  window_->Show(true);
  testsupport::RunUntil([&] { return gtk_widget_get_mapped(GTK_WIDGET(window_->Handle())); });
  testsupport::RunFor(200);
  Drain();
  auto kinds = [&] {
    std::vector<EventKind> seen;
    for (const auto& event : Drain()) {
      if (event.kind == EventKind::MoveWindow || event.kind == EventKind::SizeWindow) {
        seen.push_back(event.kind);
      }
    }
    return seen;
  };
  const int x = window_->X();
  window_->MoveResize(x + 40, toolkit::kLeaveUnchanged, toolkit::kLeaveUnchanged,
                      toolkit::kLeaveUnchanged);
  testsupport::RunUntil([&] { return window_->X() == x + 40; }, 3000);
  testsupport::RunFor(200);
  const auto moved = kinds();
  EXPECT_FALSE(moved.empty());
  for (EventKind kind : moved) EXPECT_EQ(kind, EventKind::MoveWindow);

  window_->MoveResize(toolkit::kLeaveUnchanged, toolkit::kLeaveUnchanged, 420, 310);
  testsupport::RunUntil([&] { return window_->Width() == 420 && window_->Height() == 310; }, 3000);
  testsupport::RunFor(200);
  const auto resized = kinds();
  EXPECT_EQ(std::count(resized.begin(), resized.end(), EventKind::SizeWindow), 1);
}

TEST_F(ToolkitTest, MenuItemsQueueEventsForTheWindowTheyWereShownFor) {
  window_->Show(true);
  testsupport::RunUntil([&] { return gtk_widget_get_mapped(GTK_WIDGET(window_->Handle())); });
  toolkit::PopupMenu* menu = ui_.CreatePopupMenu(1);
  menu->AddItem(10, "Über Datenbank ...");
  ui_.DisplayPopupMenu(1, 5);
  RunFor(50);
  Drain();
  GList* children = gtk_container_get_children(GTK_CONTAINER(menu->Handle()));
  ASSERT_TRUE(children);
  gtk_menu_item_activate(GTK_MENU_ITEM(children->data));
  g_list_free(children);
  gtk_menu_shell_deactivate(GTK_MENU_SHELL(menu->Handle()));
  bool found = false;
  for (const auto& event : Drain()) {
    found |= event.kind == EventKind::Menu && event.window == 5 && event.object == 10;
  }
  EXPECT_TRUE(found);
}

}  // namespace

// A real drag of a file from a tree to a text area, with the pointer moved by
// xdotool: the tree reports the drag gesture, the program offers the file,
// and the drop arrives as the decoded local path.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "GuiTestSupport.h"
#include "support/TempDirectory.h"
#include "toolkit/TextAreaGadget.h"
#include "toolkit/TreeGadget.h"
#include "toolkit/Ui.h"

namespace {

using toolkit::EventKind;

// The screen position of a point inside a gadget's widget.
std::pair<int, int> ScreenPoint(GtkWidget* widget, int x, int y) {
  int originX = 0;
  int originY = 0;
  gdk_window_get_origin(gtk_widget_get_window(widget), &originX, &originY);
  GtkAllocation allocation;
  gtk_widget_get_allocation(widget, &allocation);
  if (!gtk_widget_get_has_window(widget)) {
    originX += allocation.x;
    originY += allocation.y;
  }
  return {originX + x, originY + y};
}

std::optional<toolkit::Event> AwaitEvent(toolkit::Ui& ui, EventKind kind, int object, int type) {
  std::optional<toolkit::Event> found;
  testsupport::RunUntil(
      [&] {
        while (auto event = ui.Events().Take()) {
          if (event->kind == kind && event->object == object && event->type == type) {
            found = *event;
            return true;
          }
        }
        return false;
      },
      10000);
  return found;
}

TEST(FileDragDrop, TreeEntryDraggedOntoATextAreaDeliversItsPath) {
  TempDirectory temp;
  const std::string file = temp.Write("with blank ä/Button #1.ox", "Procedure Main()\n");

  toolkit::Ui ui;
  toolkit::Window* source = ui.OpenWindow(5, 50, 50, 300, 240, "Drag source", 0);
  ui.CreateTree(1, 0, 0, 300, 240);
  ui.AddGadgetItem(1, -1, "Button #1", -1, 0);
  toolkit::Window* target = ui.OpenWindow(6, 500, 50, 300, 240, "Drop target", 0);
  ui.CreateTextArea(2, 0, 0, 300, 240, toolkit::text_area_flag::kReadOnly);
  ui.EnableGadgetDrop(2, static_cast<GdkDragAction>(GDK_ACTION_COPY | GDK_ACTION_MOVE));
  ASSERT_TRUE(testsupport::RunUntil([&] {
    return gtk_widget_get_mapped(GTK_WIDGET(source->Handle())) &&
           gtk_widget_get_mapped(GTK_WIDGET(target->Handle()));
  }));
  testsupport::RunFor(300);

  auto* tree = ui.Find<toolkit::TreeGadget>(1);
  GdkRectangle row{};
  GtkTreePath* first = gtk_tree_path_new_first();
  gtk_tree_view_get_cell_area(tree->View(), first, tree->Column(), &row);
  gtk_tree_path_free(first);
  int rowX = 0;
  int rowY = 0;
  gtk_tree_view_convert_bin_window_to_widget_coords(tree->View(), row.x + 20,
                                                    row.y + row.height / 2, &rowX, &rowY);
  const auto [fromX, fromY] = ScreenPoint(tree->Widget(), rowX, rowY);
  const auto [toX, toY] = ScreenPoint(ui.GadgetWidget(2), 120, 100);

  // The pointer runs in the background while this process keeps the toolkit going.
  const std::string script =
      "xdotool mousemove " + std::to_string(fromX) + " " + std::to_string(fromY) +
      " sleep 0.3 mousedown 1 sleep 0.3 mousemove " + std::to_string(fromX + 8) + " " +
      std::to_string(fromY + 8) + " sleep 0.2 mousemove " + std::to_string(fromX + 30) + " " +
      std::to_string(fromY + 30) + " sleep 1 mousemove " + std::to_string(toX) + " " +
      std::to_string(toY) + " sleep 0.5 mousemove " + std::to_string(toX + 5) + " " +
      std::to_string(toY + 5) + " sleep 0.5 mouseup 1 &";
  ASSERT_EQ(std::system(script.c_str()), 0);

  ASSERT_TRUE(AwaitEvent(ui, EventKind::Gadget, 1, toolkit::event_type::kDragStart))
      << "the tree reported no drag gesture";
  ASSERT_TRUE(ui.DragFiles(1, {file}, GDK_ACTION_COPY));
  const auto drop = AwaitEvent(ui, EventKind::GadgetDrop, 2, 0);
  ASSERT_TRUE(drop && drop->drop) << "nothing was dropped";
  EXPECT_EQ(drop->window, 6);
  EXPECT_EQ(drop->drop->type, toolkit::DropData::Type::Files);
  EXPECT_EQ(drop->drop->files, std::vector<std::string>{file});
  EXPECT_EQ(ui.GadgetText(2), "") << "the text view must not insert the drop itself";
}

}  // namespace

// Every window at the desktop's "Large Text" (text scale 1.5): the fixed
// layout grows with the text, so no text is cut and no gadgets run into
// each other beyond what the layout at the usual size has by design.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "app/Ids.h"
#include "dialogs/DatabaseInfoWindow.h"
#include "dialogs/SettingsWindow.h"
#include "dialogs/UpdateWindow.h"
#include "toolkit/ImageGadget.h"
#include "toolkit/Window.h"

namespace {

std::string Describe(GtkWidget* widget) {
  std::string text = G_OBJECT_TYPE_NAME(widget);
  if (GTK_IS_LABEL(widget))
    text += " \"" + std::string(gtk_label_get_text(GTK_LABEL(widget))) + "\"";
  if (GTK_IS_BUTTON(widget) && gtk_button_get_label(GTK_BUTTON(widget))) {
    text += " \"" + std::string(gtk_button_get_label(GTK_BUTTON(widget))) + "\"";
  }
  return text;
}

GdkRectangle Allocation(GtkWidget* widget) {
  GtkAllocation allocation;
  gtk_widget_get_allocation(widget, &allocation);
  return allocation;
}

std::vector<GtkWidget*> VisibleChildren(GtkWidget* container) {
  std::vector<GtkWidget*> children;
  if (!GTK_IS_CONTAINER(container)) return children;
  GList* list = gtk_container_get_children(GTK_CONTAINER(container));
  for (GList* item = list; item; item = item->next) {
    auto* child = static_cast<GtkWidget*>(item->data);
    if (gtk_widget_get_mapped(child)) children.push_back(child);
  }
  g_list_free(list);
  return children;
}

// What a window looks like to someone reading it.
struct Look {
  // Pairs of gadgets of one layer that overlap. Frames are drawn around
  // other gadgets of their layer, so they are left out.
  std::set<std::string> overlaps;
  // Labels and combo boxes without the room their text needs: the whole
  // line, or the lines a wrapping label breaks it into.
  std::vector<std::string> cutTexts;
  // The width the program's icons take (the expand toggle's): they grow
  // with the text.
  int iconWidth = 0;
};

void Examine(GtkWidget* widget, Look& look) {
  const std::vector<GtkWidget*> children = VisibleChildren(widget);
  if (GTK_IS_LAYOUT(widget)) {
    for (std::size_t i = 0; i < children.size(); ++i) {
      for (std::size_t j = i + 1; j < children.size(); ++j) {
        if (GTK_IS_FRAME(children[i]) || GTK_IS_FRAME(children[j])) continue;
        GdkRectangle a = Allocation(children[i]);
        GdkRectangle b = Allocation(children[j]);
        if (gdk_rectangle_intersect(&a, &b, nullptr)) {
          look.overlaps.insert(Describe(children[i]) + " overlaps " + Describe(children[j]));
        }
      }
    }
  }
  const GdkRectangle allocation = Allocation(widget);
  int needed = 0;
  if (GTK_IS_LABEL(widget) && gtk_label_get_line_wrap(GTK_LABEL(widget))) {
    gtk_widget_get_preferred_height_for_width(widget, allocation.width, &needed, nullptr);
    if (allocation.height < needed) look.cutTexts.push_back(Describe(widget));
  } else if (GTK_IS_LABEL(widget) || GTK_IS_COMBO_BOX(widget)) {
    gtk_widget_get_preferred_width(widget, nullptr, &needed);
    if (allocation.width < needed) look.cutTexts.push_back(Describe(widget));
  }
  for (GtkWidget* child : children) Examine(child, look);
}

// Every window of the program, built and shown at the given font resolution.
Look LookAt(int dotsPerInch) {
  GtkSettings* settings = gtk_settings_get_default();
  int saved = 0;
  g_object_get(settings, "gtk-xft-dpi", &saved, nullptr);
  g_object_set(settings, "gtk-xft-dpi", dotsPerInch * 1024, nullptr);
  Look look;
  std::unique_ptr<app::AppState> app = testsupport::NewAppWithMainWindow();
  EXPECT_DOUBLE_EQ(app->ui.Scale().Factor(), dotsPerInch / 96.0);
  dialogs::CreateSettingsWindow(*app);
  dialogs::CreateDatabaseInfoWindow(*app);
  dialogs::CreateUpdateWindow(*app);
  for (int id : {app::window_id::kMain, app::window_id::kSettings, app::window_id::kDatabaseInfo,
                 app::window_id::kUpdate}) {
    toolkit::Window* window = app->ui.FindWindow(id);
    window->Show(true);
    testsupport::Settle(*app);
    Examine(GTK_WIDGET(window->Handle()), look);
    window->Show(false);
  }
  auto* toggle = app->ui.Find<toolkit::ImageGadget>(app::gadget_id::kExpandToggle);
  gtk_widget_get_preferred_width(GTK_WIDGET(toggle->ImageWidget()), nullptr, &look.iconWidth);
  app.reset();
  g_object_set(settings, "gtk-xft-dpi", saved, nullptr);
  return look;
}

TEST(LargeText, EveryWindowGivesItsTextsRoomAndKeepsItsGadgetsApart) {
  const Look usual = LookAt(96);
  const Look large = LookAt(144);
  EXPECT_EQ(usual.iconWidth, 16);
  EXPECT_EQ(large.iconWidth, 24);
  for (const std::string& text : large.cutTexts) ADD_FAILURE() << "cut: " << text;
  for (const std::string& overlap : large.overlaps) {
    EXPECT_TRUE(usual.overlaps.contains(overlap)) << overlap;
  }
}

}  // namespace

// A popup menu whose items queue menu events for the window it was shown for.
#include "toolkit/PopupMenu.h"

#include "toolkit/GLibHandles.h"

namespace toolkit {

PopupMenu::PopupMenu(int id, EventSink& sink) : id_(id), sink_(sink) {
  menu_ = gtk_menu_new();
  g_object_ref_sink(menu_);
}

PopupMenu::~PopupMenu() {
  gtk_widget_destroy(menu_);
  g_object_unref(menu_);
}

void PopupMenu::AddItem(int itemId, const std::string& text) {
  GtkWidget* widget = gtk_menu_item_new_with_label(text.c_str());
  auto item = std::make_unique<Item>(Item{this, itemId, widget});
  ConnectSignal(
      widget, "activate",
      +[](GtkMenuItem*, Item* chosen) {
        PopupMenu* menu = chosen->menu;
        menu->sink_.Deliver(Event{EventKind::Menu, menu->shownFor_, chosen->itemId, 0, 0, nullptr});
      },
      item.get());
  gtk_menu_shell_append(GTK_MENU_SHELL(menu_), widget);
  gtk_widget_show(widget);
  items_[itemId] = std::move(item);
}

void PopupMenu::AddSeparator() {
  GtkWidget* separator = gtk_separator_menu_item_new();
  gtk_menu_shell_append(GTK_MENU_SHELL(menu_), separator);
  gtk_widget_show(separator);
}

void PopupMenu::SetItemText(int itemId, const std::string& text) {
  const auto found = items_.find(itemId);
  if (found != items_.end())
    gtk_menu_item_set_label(GTK_MENU_ITEM(found->second->widget), text.c_str());
}

std::string PopupMenu::ItemText(int itemId) const {
  const auto found = items_.find(itemId);
  if (found == items_.end()) return {};
  const gchar* label = gtk_menu_item_get_label(GTK_MENU_ITEM(found->second->widget));
  return label ? label : "";
}

void PopupMenu::Popup(int window, GdkWindow* surface, const GdkEvent* trigger) {
  shownFor_ = window;
  if (trigger) {
    gtk_menu_popup_at_pointer(GTK_MENU(menu_), trigger);
    return;
  }
  // Without a pointer event (a keyboard shortcut asked for the menu), open it
  // where the pointer is over the window.
  if (!surface) return;
  GdkDisplay* display = gdk_window_get_display(surface);
  GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
  int x = 0;
  int y = 0;
  gdk_window_get_device_position(surface, pointer, &x, &y, nullptr);
  const GdkRectangle at{x, y, 1, 1};
  // The menu takes its grab device and time from a trigger event. A command
  // run from the program's own queue has no event in progress, so a button
  // press of the pointer is made up for it.
  GdkEventPtr event(gtk_get_current_event());
  if (!event) {
    event.reset(gdk_event_new(GDK_BUTTON_PRESS));
    event->button.window = GDK_WINDOW(g_object_ref(surface));
    event->button.time = GDK_CURRENT_TIME;
    event->button.button = 1;
    gdk_event_set_device(event.get(), pointer);
  }
  gtk_menu_popup_at_rect(GTK_MENU(menu_), surface, &at, GDK_GRAVITY_NORTH_WEST,
                         GDK_GRAVITY_NORTH_WEST, event.get());
}

}  // namespace toolkit

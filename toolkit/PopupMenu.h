// A popup menu whose items queue menu events for the window it was shown for.
#pragma once

#include <gtk/gtk.h>

#include <map>
#include <memory>
#include <string>

#include "toolkit/EventSink.h"

namespace toolkit {

class PopupMenu {
 public:
  PopupMenu(int id, EventSink& sink);
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  ~PopupMenu();

  int Id() const { return id_; }
  GtkMenu* Handle() const { return GTK_MENU(menu_); }

  void AddItem(int itemId, const std::string& text);
  void AddSeparator();
  void SetItemText(int itemId, const std::string& text);
  std::string ItemText(int itemId) const;

  // Shows the menu at the mouse position; its items then queue menu events
  // for window. trigger is the pointer event that asked for the menu, if any.
  void Popup(int window, GdkWindow* surface, const GdkEvent* trigger);

 private:
  struct Item {
    PopupMenu* menu;
    int itemId;
    GtkWidget* widget;
  };

  int id_;
  EventSink& sink_;
  GtkWidget* menu_ = nullptr;  // one reference held by us
  int shownFor_ = -1;
  std::map<int, std::unique_ptr<Item>> items_;
};

}  // namespace toolkit

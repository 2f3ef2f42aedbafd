// The desktop clipboard (not the primary selection).
#include "toolkit/Clipboard.h"

#include <gtk/gtk.h>

namespace toolkit {

void SetClipboardText(const std::string& text) {
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gtk_clipboard_set_text(clipboard, text.c_str(), static_cast<gint>(text.size()));
}

void StoreClipboard() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display) return;
  GtkClipboard* clipboard = gtk_clipboard_get_for_display(display, GDK_SELECTION_CLIPBOARD);
  // Storable with no restriction on the targets the manager takes over.
  gtk_clipboard_set_can_store(clipboard, nullptr, 0);
  gtk_clipboard_store(clipboard);
}

}  // namespace toolkit

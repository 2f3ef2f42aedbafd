// One-line text field.
#include "toolkit/TextFieldGadget.h"

namespace toolkit {

TextFieldGadget::TextFieldGadget(int id, int window, EventSink& sink, int flags)
    : Gadget(id, GadgetKind::TextField, window, sink) {
  GtkWidget* entry = gtk_entry_new();
  // Without a character width the entry asks for about 150 pixels at least;
  // the program's geometry decides its width instead.
  gtk_entry_set_width_chars(GTK_ENTRY(entry), 0);
  Attach(entry, entry);
  if (flags & text_field_flag::kReadOnly) gtk_editable_set_editable(GTK_EDITABLE(entry), FALSE);
  if (flags & text_field_flag::kRightAligned) gtk_entry_set_alignment(GTK_ENTRY(entry), 1.0f);
  if (flags & text_field_flag::kNoFocus) gtk_widget_set_can_focus(entry, FALSE);
  ConnectSignal(
      entry, "changed",
      +[](GtkEditable*, TextFieldGadget* self) { self->QueueEvent(event_type::kChange); }, this);
}

// Unlike other gadgets, a text change by the program is an ordinary change
// and queues its change event.
void TextFieldGadget::SetText(const std::string& text) {
  gtk_entry_set_text(Entry(), text.c_str());
}

std::string TextFieldGadget::Text() const {
  return gtk_entry_get_text(Entry());
}

int TextFieldGadget::CursorPosition() const {
  return gtk_editable_get_position(GTK_EDITABLE(Widget()));
}

void TextFieldGadget::DeleteCharacters(int start, int end) {
  gtk_editable_delete_text(GTK_EDITABLE(Widget()), start, end);
}

}  // namespace toolkit

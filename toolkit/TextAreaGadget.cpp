// Multi-line text area in a scrolled, etched frame.
#include "toolkit/TextAreaGadget.h"

namespace toolkit {

TextAreaGadget::TextAreaGadget(int id, int window, EventSink& sink, int flags)
    : Gadget(id, GadgetKind::TextArea, window, sink) {
  GtkWidget* view = gtk_text_view_new();
  if (flags & text_area_flag::kReadOnly) gtk_text_view_set_editable(GTK_TEXT_VIEW(view), FALSE);
  gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view),
                              (flags & text_area_flag::kWordWrap) ? GTK_WRAP_WORD : GTK_WRAP_NONE);
  Attach(view, NewScrolledFrame(view));
  ConnectSignal(
      gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), "changed",
      +[](GtkTextBuffer*, TextAreaGadget* self) { self->QueueEvent(event_type::kChange); }, this);
}

void TextAreaGadget::SetText(const std::string& text) {
  Quiet quiet(*this);
  gtk_text_buffer_set_text(Buffer(), text.c_str(), static_cast<gint>(text.size()));
}

std::string TextAreaGadget::Text() const {
  GtkTextIter start;
  GtkTextIter end;
  gtk_text_buffer_get_bounds(Buffer(), &start, &end);
  GCharPtr text(gtk_text_buffer_get_text(Buffer(), &start, &end, TRUE));
  return text ? std::string(text.get()) : std::string();
}

void TextAreaGadget::AddItem(int, const std::string& text, const ImagePtr&, int) {
  Quiet quiet(*this);
  GtkTextIter end;
  gtk_text_buffer_get_end_iter(Buffer(), &end);
  if (gtk_text_buffer_get_char_count(Buffer()) > 0) gtk_text_buffer_insert(Buffer(), &end, "\n", 1);
  gtk_text_buffer_insert(Buffer(), &end, text.c_str(), static_cast<gint>(text.size()));
}

void TextAreaGadget::ClearItems() {
  SetText("");
}

int TextAreaGadget::CountItems() const {
  return gtk_text_buffer_get_line_count(Buffer());
}

}  // namespace toolkit

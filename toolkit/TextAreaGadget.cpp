// Multi-line text area in a scrolled, etched frame.
#include "toolkit/TextAreaGadget.h"

namespace toolkit {
namespace {

// The name of the mark's text tag and of the text mark the view scrolls to.
constexpr const char* kMarkName = "first-match";

GtkTextTag* FindMarkTag(GtkTextBuffer* buffer) {
  return gtk_text_tag_table_lookup(gtk_text_buffer_get_tag_table(buffer), kMarkName);
}

// Scrolls the view to the mark: its line to a third from the top where it is
// out of sight, so the lines before it show too; sideways to the left edge
// where the match fits from there, otherwise to put its start a quarter
// from the left.
void ScrollToMark(GtkTextView* view) {
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(view);
  GtkTextMark* mark = gtk_text_buffer_get_mark(buffer, kMarkName);
  GtkTextTag* tag = FindMarkTag(buffer);
  if (!mark || !tag) return;
  GtkTextIter start;
  gtk_text_buffer_get_iter_at_mark(buffer, &start, mark);
  GtkTextIter end = start;
  gtk_text_iter_forward_to_tag_toggle(&end, tag);
  GdkRectangle first{};
  GdkRectangle last{};
  GdkRectangle visible{};
  gtk_text_view_get_iter_location(view, &start, &first);
  gtk_text_view_get_iter_location(view, &end, &last);
  gtk_text_view_get_visible_rect(view, &visible);
  if (first.y < visible.y || first.y + first.height > visible.y + visible.height) {
    gtk_adjustment_set_value(gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view)),
                             first.y - visible.height / 3);
  }
  const bool fitsFromLeft = last.y == first.y && last.x < visible.width;
  gtk_adjustment_set_value(gtk_scrollable_get_hadjustment(GTK_SCROLLABLE(view)),
                           fitsFromLeft ? 0 : first.x - visible.width / 4);
}

// A view lays out the lines of a new text while idle, and knows where a line
// is only then: the view scrolls once every line is laid out.
void ScrollToMarkWhenLaidOut(GtkTextView* view) {
  g_idle_add_full(
      G_PRIORITY_DEFAULT_IDLE,
      +[](gpointer data) -> gboolean {
        ScrollToMark(GTK_TEXT_VIEW(data));
        return G_SOURCE_REMOVE;
      },
      g_object_ref(view), g_object_unref);
}

}  // namespace

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
  // A new text shows from its left edge, wherever the last one was scrolled.
  gtk_adjustment_set_value(gtk_scrollable_get_hadjustment(GTK_SCROLLABLE(View())), 0);
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

bool TextAreaGadget::MarkFirst(const std::string& text, const std::string& background,
                               int fromLine) {
  ClearMark();
  if (text.empty()) return false;
  GtkTextBuffer* buffer = Buffer();
  GtkTextIter from;
  GtkTextIter start;
  GtkTextIter end;
  gtk_text_buffer_get_iter_at_line(buffer, &from, fromLine);
  const auto flags =
      static_cast<GtkTextSearchFlags>(GTK_TEXT_SEARCH_CASE_INSENSITIVE | GTK_TEXT_SEARCH_TEXT_ONLY);
  if (!gtk_text_iter_forward_search(&from, text.c_str(), flags, &start, &end, nullptr))
    return false;
  GtkTextTag* tag = FindMarkTag(buffer);
  if (!tag) tag = gtk_text_buffer_create_tag(buffer, kMarkName, nullptr);
  // Tags made later (the code's colours) would otherwise paint over it.
  gtk_text_tag_set_priority(tag,
                            gtk_text_tag_table_get_size(gtk_text_buffer_get_tag_table(buffer)) - 1);
  g_object_set(tag, "background", background.c_str(), nullptr);
  gtk_text_buffer_apply_tag(buffer, tag, &start, &end);
  if (GtkTextMark* mark = gtk_text_buffer_get_mark(buffer, kMarkName)) {
    gtk_text_buffer_move_mark(buffer, mark, &start);
  } else {
    gtk_text_buffer_create_mark(buffer, kMarkName, &start, TRUE);
  }
  ScrollToMarkWhenLaidOut(View());
  return true;
}

void TextAreaGadget::ClearMark() {
  GtkTextBuffer* buffer = Buffer();
  GtkTextTag* tag = FindMarkTag(buffer);
  if (!tag) return;
  GtkTextIter start;
  GtkTextIter end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  gtk_text_buffer_remove_tag(buffer, tag, &start, &end);
}

}  // namespace toolkit

// Colouring the code view: the text tags of the highlighter ranges, the
// declared names, and the topic-link labels.
#include "codeview/HighlightCode.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <iterator>
#include <vector>

#include "app/AppState.h"
#include "codeview/core/HighlightRanges.h"
#include "toolkit/GLibHandles.h"
#include "toolkit/TextAreaGadget.h"

namespace codeview {
namespace {

// How long one flush may let the toolkit work: long enough to draw the view
// and take pending input, short enough not to be noticed.
constexpr std::chrono::milliseconds kFlushTimeLimit{30};

// Each tag range costs the text buffer a few microseconds, so a text with
// more ranges than this (tens of megabytes of code) would keep the program
// busy for many seconds: such a text stays plain. A long code example has
// some tens of thousands.
constexpr std::size_t kMaxTagRanges = 200000;

// Every link label is a widget that the view places again whenever its
// layout changes, and adding or removing one restyles its siblings, so the
// cost grows with the square of their number. Link markers beyond this many
// keep their target as plain text; a code example has a few.
constexpr std::size_t kMaxLinkLabels = 100;

// The tags live in the view's tag table for the whole run; they are created on
// the first call with the colours of the scheme active then.
void CreateTags(GtkTextBuffer* buffer, const dialogs::ColourScheme& colours) {
  gtk_text_buffer_create_tag(buffer, "BlueBold", "weight", 700, "foreground",
                             colours.blueBold.c_str(), nullptr);
  gtk_text_buffer_create_tag(buffer, "FBold", "weight", 700, nullptr);
  gtk_text_buffer_create_tag(buffer, "Constant", "weight", 400, "foreground",
                             colours.constant.c_str(), nullptr);
  gtk_text_buffer_create_tag(buffer, "Function", "weight", 700, "foreground",
                             colours.function.c_str(), nullptr);
  gtk_text_buffer_create_tag(buffer, "FuncCall", "weight", 400, "foreground",
                             colours.funcCall.c_str(), nullptr);
  gtk_text_buffer_create_tag(buffer, "Literal", "weight", 400, "foreground",
                             colours.literal.c_str(), nullptr);
  gtk_text_buffer_create_tag(buffer, "Disable", "foreground", colours.disable.c_str(), nullptr);
}

// Text iterators for byte offsets of the scanned text. Offsets arrive mostly
// in ascending order, so the iterator of the last line is reused.
class BufferPositions {
 public:
  BufferPositions(GtkTextBuffer* buffer, const LineIndex& lines) : buffer_(buffer), lines_(lines) {}

  GtkTextIter At(std::size_t offset) {
    const LineIndex::Position position = lines_.Locate(offset);
    if (position.line != line_) {
      gtk_text_buffer_get_iter_at_line_index(buffer_, &iter_, position.line, position.index);
      line_ = position.line;
    } else {
      gtk_text_iter_set_line_index(&iter_, position.index);
    }
    return iter_;
  }

 private:
  GtkTextBuffer* buffer_;
  const LineIndex& lines_;
  GtkTextIter iter_{};
  int line_ = -1;
};

void ApplyTag(GtkTextBuffer* buffer, const LineIndex& lines, const HighlightRanges& found,
              Tag tag) {
  BufferPositions positions(buffer, lines);
  GtkTextTag* textTag = gtk_text_tag_table_lookup(gtk_text_buffer_get_tag_table(buffer),
                                                  kTagNames[static_cast<std::size_t>(tag)]);
  if (!textTag) return;
  for (const TextRange& range : found.Of(tag)) {
    if (range.start >= range.end) continue;
    GtkTextIter start = positions.At(range.start);
    GtkTextIter end = positions.At(range.end);
    gtk_text_buffer_apply_tag(buffer, textTag, &start, &end);
  }
}

// Replaces the target of each of the first kMaxLinkLabels links by a child
// anchor holding a link label. The links are handled from the last to the
// first, so the offsets of the ones still to come stay valid.
void InsertLinkLabels(toolkit::TextAreaGadget& code, const HighlightRanges& found,
                      const LineIndex& lines) {
  GtkTextBuffer* buffer = code.Buffer();
  const std::size_t count = std::min(found.links.size(), kMaxLinkLabels);
  for (auto link =
           std::make_reverse_iterator(found.links.begin() + static_cast<std::ptrdiff_t>(count));
       link != found.links.rend(); ++link) {
    const LineIndex::Position from = lines.Locate(link->targetStart);
    const LineIndex::Position to = lines.Locate(link->targetEnd);
    GtkTextIter start;
    GtkTextIter end;
    gtk_text_buffer_get_iter_at_line_index(buffer, &start, from.line, from.index);
    gtk_text_buffer_get_iter_at_line_index(buffer, &end, to.line, to.index);
    gtk_text_buffer_delete(buffer, &start, &end);
    GtkTextChildAnchor* anchor = gtk_text_buffer_create_child_anchor(buffer, &start);
    toolkit::GCharPtr markup(g_markup_printf_escaped("<a href=\"%s\">%s</a>", link->target.c_str(),
                                                     link->target.c_str()));
    GtkWidget* label = gtk_label_new(nullptr);
    gtk_label_set_markup(GTK_LABEL(label), markup.get());
    gtk_label_set_use_markup(GTK_LABEL(label), TRUE);
    toolkit::ConnectSignal(label, "activate-link", &OnTopicLinkActivated, nullptr);
    gtk_text_view_add_child_at_anchor(code.View(), label, anchor);
    gtk_widget_show(label);
  }
}

}  // namespace

void HighlightCode(app::AppState& app, toolkit::TextAreaGadget& code) {
  GtkTextBuffer* buffer = code.Buffer();
  GtkTextIter start;
  GtkTextIter end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  gtk_text_buffer_remove_all_tags(buffer, &start, &end);
  if (!gtk_text_tag_table_lookup(gtk_text_buffer_get_tag_table(buffer), "Disable")) {
    CreateTags(buffer, app.colours);
  }

  // The slice keeps a character for every anchor, so its byte offsets are
  // the buffer's.
  toolkit::GCharPtr text(gtk_text_buffer_get_slice(buffer, &start, &end, TRUE));
  const std::string_view view(text ? text.get() : "");
  const HighlightRanges found = ScanHighlightRanges(view, app.settings.codeMarks);
  const LineIndex lines(view);
  app.procedureNames = found.procedureNames;
  std::size_t rangeCount = 0;
  for (const std::vector<TextRange>& ranges : found.ranges) rangeCount += ranges.size();
  if (rangeCount > kMaxTagRanges) {
    FlushEvents(code);
    return;
  }

  ApplyTag(buffer, lines, found, Tag::Disable);
  ApplyTag(buffer, lines, found, Tag::Literal);
  FlushEvents(code);
  ApplyTag(buffer, lines, found, Tag::Constant);
  FlushEvents(code);
  ApplyTag(buffer, lines, found, Tag::FBold);
  ApplyTag(buffer, lines, found, Tag::BlueBold);
  ApplyTag(buffer, lines, found, Tag::Function);
  FlushEvents(code);
  ApplyTag(buffer, lines, found, Tag::FuncCall);
  InsertLinkLabels(code, found, lines);
  FlushEvents(code);
}

void FlushEvents(toolkit::Gadget& gadget) {
  if (GtkWidget* widget = gadget.Widget()) gtk_widget_queue_draw(widget);
  // Runs what is pending, within a bound: after a long text the toolkit
  // stays busy laying out lines far below the visible ones, work it goes on
  // with while the program waits for input.
  const auto end = std::chrono::steady_clock::now() + kFlushTimeLimit;
  while (gtk_events_pending() && std::chrono::steady_clock::now() < end) {
    gtk_main_iteration_do(FALSE);
  }
}

bool IsOpenableTopicLink(std::string_view target) {
  const auto startsWith = [target](std::string_view scheme) {
    if (target.size() < scheme.size()) return false;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
      if (g_ascii_tolower(target[i]) != scheme[i]) return false;
    }
    return true;
  };
  return startsWith("http://") || startsWith("https://");
}

gboolean OnTopicLinkActivated(GtkLabel*, const gchar* uri, gpointer) {
  // FALSE lets the label's default handler open the address; TRUE ends the
  // activation here.
  return (uri && IsOpenableTopicLink(uri)) ? FALSE : TRUE;
}

}  // namespace codeview

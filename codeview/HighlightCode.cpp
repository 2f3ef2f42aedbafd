// Colouring the code view: the text tags of the highlighter ranges, the
// declared names, and the topic-link labels.
#include "codeview/HighlightCode.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/AppState.h"
#include "codeview/core/HighlightRanges.h"
#include "toolkit/GLibHandles.h"
#include "toolkit/TextAreaGadget.h"

namespace codeview {
namespace {

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

// The view is coloured in chunks of this many lines: first the ones it
// shows, then the rest in slices while the main loop is idle.
constexpr std::size_t kLinesPerChunk = 64;

// A slice of the background colouring ends after this long, well inside a
// frame, so that input, scrolling and redraws are never held up.
constexpr std::chrono::milliseconds kSliceTime{6};

// The view can show at most one line per this many pixels of its height
// (the smallest zoom), and is taken as at least this high before it has a
// size of its own.
constexpr int kSmallestLineHeight = 6;
constexpr int kLeastViewHeight = 1080;

// After input and redraws, but before the view measures the lines it does
// not show (GTK's text view does that at G_PRIORITY_HIGH_IDLE + 25): a line
// measured before it is coloured would be measured again.
constexpr int kColouringPriority = G_PRIORITY_HIGH_IDLE + 24;

constexpr char kColouringKey[] = "orvex-code-colouring";

// The colouring of one text in the view. It holds the scanned ranges and
// applies them chunk by chunk: the lines shown first, the lines scrolled to
// at once, the rest from the top in the background. Positions are taken per
// line, so a chunk's link labels (which shorten their lines) never move
// the ranges of the other lines. Any change of the text ends it.
class Colouring {
 public:
  // The text is only measured: its lines and its length.
  Colouring(toolkit::TextAreaGadget& code, std::string_view text, HighlightRanges found)
      : view_(code.View()),
        buffer_(code.Buffer()),
        textSize_(text.size()),
        found_(std::move(found)),
        lines_(text),
        coloured_((lines_.LineCount() + kLinesPerChunk - 1) / kLinesPerChunk, false),
        remaining_(coloured_.size()) {}

  Colouring(const Colouring&) = delete;
  Colouring& operator=(const Colouring&) = delete;
  ~Colouring() { Stop(); }

  // Colours what the view shows (a new text shows its top) and lets the
  // rest follow.
  void Start() {
    ColourLinesFrom(0);
    ColourVisible();
    if (remaining_ == 0) return;
    GtkAdjustment* scroll = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view_));
    auto visible = +[](GtkAdjustment*, Colouring* self) { self->ColourVisible(); };
    scroll_ = GTK_ADJUSTMENT(g_object_ref(scroll));
    scrolled_ = toolkit::ConnectSignal(scroll, "value-changed", visible, this);
    resized_ = toolkit::ConnectSignal(scroll, "changed", visible, this);
    changed_ = toolkit::ConnectSignal(
        buffer_, "changed",
        +[](GtkTextBuffer* buffer, Colouring* self) {
          if (!self->applying_) StopColouring(buffer);
        },
        this);
    // A view that goes (the program ends) takes its colouring with it, while
    // the view and its buffer are still whole.
    destroyed_ = toolkit::ConnectSignal(
        view_, "destroy", +[](GtkWidget*, Colouring* self) { StopColouring(self->buffer_); }, this);
    idle_ = g_idle_add_full(
        kColouringPriority,
        +[](gpointer data) -> gboolean {
          auto* self = static_cast<Colouring*>(data);
          if (self->Slice()) return G_SOURCE_CONTINUE;
          self->idle_ = 0;
          StopColouring(self->buffer_);  // done: lets go of the text
          return G_SOURCE_REMOVE;
        },
        this, nullptr);
  }

  bool Done() const { return remaining_ == 0; }

  // Colours everything still uncoloured at once.
  void Finish() {
    for (std::size_t chunk = 0; chunk < coloured_.size(); ++chunk) ColourChunk(chunk);
  }

  static void StopColouring(GtkTextBuffer* buffer) {
    g_object_set_data(G_OBJECT(buffer), kColouringKey, nullptr);
  }

 private:
  void Stop() {
    if (idle_ != 0) g_source_remove(std::exchange(idle_, 0));
    if (scroll_) {
      g_signal_handler_disconnect(scroll_, scrolled_);
      g_signal_handler_disconnect(scroll_, resized_);
      g_object_unref(std::exchange(scroll_, nullptr));
    }
    if (changed_ != 0) g_signal_handler_disconnect(buffer_, std::exchange(changed_, 0));
    if (destroyed_ != 0) g_signal_handler_disconnect(view_, std::exchange(destroyed_, 0));
  }

  // The lines the view shows (or could show, at the smallest zoom).
  void ColourVisible() {
    if (remaining_ == 0 || applying_) return;
    GdkRectangle shown;
    gtk_text_view_get_visible_rect(view_, &shown);
    GtkTextIter top;
    gtk_text_view_get_line_at_y(view_, &top, shown.y, nullptr);
    ColourLinesFrom(static_cast<std::size_t>(gtk_text_iter_get_line(&top)), shown.height);
  }

  // The lines a view of the height can show from the first one on.
  void ColourLinesFrom(std::size_t first, int height = 0) {
    const auto count =
        static_cast<std::size_t>(std::max(height, kLeastViewHeight) / kSmallestLineHeight);
    const std::size_t last = std::min(first + count, lines_.LineCount() - 1);
    for (std::size_t chunk = first / kLinesPerChunk; chunk <= last / kLinesPerChunk; ++chunk) {
      ColourChunk(chunk);
    }
  }

  // One slice of the background work; false when all is coloured.
  bool Slice() {
    const auto end = std::chrono::steady_clock::now() + kSliceTime;
    ColourVisible();
    while (next_ < coloured_.size() && std::chrono::steady_clock::now() < end) {
      ColourChunk(next_++);
    }
    return remaining_ != 0;
  }

  void ColourChunk(std::size_t chunk) {
    if (coloured_[chunk]) return;
    coloured_[chunk] = true;
    --remaining_;
    const std::size_t firstLine = chunk * kLinesPerChunk;
    const std::size_t endLine = firstLine + kLinesPerChunk;
    const std::size_t from = lines_.LineStart(firstLine);
    const std::size_t to = endLine < lines_.LineCount() ? lines_.LineStart(endLine) : textSize_;
    applying_ = true;
    for (std::size_t tag = 0; tag < kTagCount; ++tag) ApplyTag(static_cast<Tag>(tag), from, to);
    InsertLinkLabels(firstLine, endLine);
    applying_ = false;
  }

  // The tag on the parts of its ranges that lie in [from, to). The ranges
  // of one tag never overlap, so their ends are sorted as their starts are.
  void ApplyTag(Tag tag, std::size_t from, std::size_t to) {
    GtkTextBuffer* buffer = buffer_;
    GtkTextTag* textTag = gtk_text_tag_table_lookup(gtk_text_buffer_get_tag_table(buffer),
                                                    kTagNames[static_cast<std::size_t>(tag)]);
    if (!textTag) return;
    const std::vector<TextRange>& ranges = found_.Of(tag);
    BufferPositions positions(buffer, lines_);
    for (auto range =
             std::upper_bound(ranges.begin(), ranges.end(), from,
                              [](std::size_t offset, const TextRange&r) { return offset < r.end; });
         range != ranges.end() && range->start < to; ++range) {
      const std::size_t start = std::max(range->start, from);
      const std::size_t end = std::min(range->end, to);
      if (start >= end) continue;
      GtkTextIter startIter = positions.At(start);
      GtkTextIter endIter = positions.At(end);
      gtk_text_buffer_apply_tag(buffer, textTag, &startIter, &endIter);
    }
  }

  // Replaces the target of each link on the lines [firstLine, endLine),
  // among the first kMaxLinkLabels, by a child anchor holding a link label.
  void InsertLinkLabels(std::size_t firstLine, std::size_t endLine) {
    GtkTextBuffer* buffer = buffer_;
    const std::size_t count = std::min(found_.links.size(), kMaxLinkLabels);
    for (std::size_t i = 0; i < count; ++i) {
      const TopicLink& link = found_.links[i];
      const LineIndex::Position start = lines_.Locate(link.targetStart);
      const auto line = static_cast<std::size_t>(start.line);
      if (line < firstLine || line >= endLine) continue;
      const LineIndex::Position end = lines_.Locate(link.targetEnd);
      GtkTextIter startIter;
      GtkTextIter endIter;
      gtk_text_buffer_get_iter_at_line_index(buffer, &startIter, start.line, start.index);
      gtk_text_buffer_get_iter_at_line_index(buffer, &endIter, end.line, end.index);
      gtk_text_buffer_delete(buffer, &startIter, &endIter);
      GtkTextChildAnchor* anchor = gtk_text_buffer_create_child_anchor(buffer, &startIter);
      toolkit::GCharPtr markup(g_markup_printf_escaped("<a href=\"%s\">%s</a>", link.target.c_str(),
                                                       link.target.c_str()));
      GtkWidget* label = gtk_label_new(nullptr);
      gtk_label_set_markup(GTK_LABEL(label), markup.get());
      gtk_label_set_use_markup(GTK_LABEL(label), TRUE);
      toolkit::ConnectSignal(label, "activate-link", &OnTopicLinkActivated, nullptr);
      gtk_text_view_add_child_at_anchor(view_, label, anchor);
      gtk_widget_show(label);
    }
  }

  GtkTextView* view_;
  GtkTextBuffer* buffer_;  // the view's, which owns this colouring
  std::size_t textSize_;
  HighlightRanges found_;
  LineIndex lines_;
  std::vector<bool> coloured_;  // per chunk
  std::size_t remaining_;       // chunks not yet coloured
  std::size_t next_ = 0;        // where the background work goes on
  bool applying_ = false;       // the text changes are the colouring's own
  guint idle_ = 0;
  GtkAdjustment* scroll_ = nullptr;
  gulong scrolled_ = 0;
  gulong resized_ = 0;
  gulong changed_ = 0;
  gulong destroyed_ = 0;
};

Colouring* ColouringOf(toolkit::TextAreaGadget& code) {
  return static_cast<Colouring*>(g_object_get_data(G_OBJECT(code.Buffer()), kColouringKey));
}

}  // namespace

void HighlightCode(app::AppState& app, toolkit::TextAreaGadget& code) {
  GtkTextBuffer* buffer = code.Buffer();
  Colouring::StopColouring(buffer);
  GtkTextIter start;
  GtkTextIter end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  gtk_text_buffer_remove_all_tags(buffer, &start, &end);
  if (!gtk_text_tag_table_lookup(gtk_text_buffer_get_tag_table(buffer), "Disable")) {
    CreateTags(buffer, app.colours);
  }

  // The slice keeps a character for every anchor, so its byte offsets are
  // the buffer's.
  const toolkit::GCharPtr slice(gtk_text_buffer_get_slice(buffer, &start, &end, TRUE));
  const std::string_view text(slice ? slice.get() : "");
  HighlightRanges found = ScanHighlightRanges(text, app.settings.codeMarks);
  app.procedureNames = found.procedureNames;
  std::size_t rangeCount = 0;
  for (const std::vector<TextRange>& ranges : found.ranges) rangeCount += ranges.size();
  if (rangeCount > kMaxTagRanges) return;

  auto colouring = std::make_unique<Colouring>(code, text, std::move(found));
  Colouring* started = colouring.get();
  g_object_set_data_full(
      G_OBJECT(buffer), kColouringKey, colouring.release(),
      +[](gpointer data) { std::unique_ptr<Colouring> stopped(static_cast<Colouring*>(data)); });
  started->Start();
  if (started->Done()) Colouring::StopColouring(buffer);
}

bool ColouringPending(toolkit::TextAreaGadget& code) {
  const Colouring* colouring = ColouringOf(code);
  return colouring && !colouring->Done();
}

void FinishColouring(toolkit::TextAreaGadget& code) {
  if (Colouring* colouring = ColouringOf(code)) {
    colouring->Finish();
    Colouring::StopColouring(code.Buffer());
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

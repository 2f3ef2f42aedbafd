// A gadget: one widget of a window, addressed by the program's identifier.
#include "toolkit/Gadget.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string_view>

#include "toolkit/Font.h"
#include "toolkit/core/Colour.h"
#include "toolkit/core/UriList.h"

namespace toolkit {
namespace {

constexpr const char* kGadgetIdKey = "orvex-gadget-id";

GtkTargetListPtr UriListTargets() {
  static const GtkTargetEntry kEntry{const_cast<gchar*>("text/uri-list"), 0, 0};
  return GtkTargetListPtr(gtk_target_list_new(&kEntry, 1));
}

}  // namespace

int GadgetIdOfWidget(GtkWidget* widget) {
  for (; widget; widget = gtk_widget_get_parent(widget)) {
    // The identifier is stored plus one, so that 0 (no data) means no gadget.
    const int stored = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), kGadgetIdKey));
    if (stored > 0) return stored - 1;
  }
  return -1;
}

Gadget::Gadget(int id, GadgetKind kind, int window, EventSink& sink)
    : id_(id), kind_(kind), window_(window), sink_(sink) {}

Gadget::~Gadget() = default;

void Gadget::Attach(GtkWidget* widget, GtkWidget* outer) {
  widget_ = widget;
  outer_ = outer;
  gtk_style_context_add_class(gtk_widget_get_style_context(outer_), kGadgetStyleClass);
  g_object_set_data(G_OBJECT(widget_), kGadgetIdKey, GINT_TO_POINTER(id_ + 1));
  if (outer_ != widget_)
    g_object_set_data(G_OBJECT(outer_), kGadgetIdKey, GINT_TO_POINTER(id_ + 1));
  ConnectSignal(
      widget_, "focus-in-event",
      +[](GtkWidget*, GdkEvent*, Gadget* self) -> gboolean {
        self->QueueEvent(event_type::kFocus);
        return FALSE;
      },
      this);
  ConnectSignal(
      widget_, "focus-out-event",
      +[](GtkWidget*, GdkEvent*, Gadget* self) -> gboolean {
        self->QueueEvent(event_type::kLostFocus);
        return FALSE;
      },
      this);
}

GtkWidget* Gadget::NewScrolledFrame(GtkWidget* view) {
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_ETCHED_IN);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC,
                                 GTK_POLICY_AUTOMATIC);
  gtk_container_add(GTK_CONTAINER(scrolled), view);
  return scrolled;
}

void Gadget::QueueEvent(int type, std::intptr_t data) {
  if (quiet_ > 0) return;
  sink_.RememberCurrentPointerEvent();
  sink_.Deliver(Event{EventKind::Gadget, window_, id_, type, data, nullptr});
}

void Gadget::SetText(const std::string&) {}
std::string Gadget::Text() const {
  return {};
}
void Gadget::SetState(int) {}
int Gadget::State() const {
  return 0;
}
void Gadget::AddItem(int, const std::string&, const ImagePtr&, int) {}
void Gadget::ClearItems() {}
int Gadget::CountItems() const {
  return 0;
}
std::string Gadget::ItemText(int) const {
  return {};
}
void Gadget::SetItemState(int, int) {}
int Gadget::ItemState(int) const {
  return 0;
}
void Gadget::SetItemColour(int, ColourAttribute, int) {}
void Gadget::SetItemImage(int, const ImagePtr&) {}

void Gadget::SetItemText(int, const std::string&) {}
void Gadget::SetAttribute(GadgetAttribute, int) {}

void Gadget::SetColour(ColourAttribute attribute, int colour) {
  (attribute == ColourAttribute::Text ? textColour_ : backgroundColour_) = colour;
  RefreshStyle();
}

int Gadget::Colour(ColourAttribute attribute) const {
  return attribute == ColourAttribute::Text ? textColour_ : backgroundColour_;
}

void Gadget::SetFont(const PangoFontDescription* font) {
  font_.reset(font ? pango_font_description_copy(font) : nullptr);
  RefreshStyle();
}

// Colours and font live in one style sheet of the gadget's own, at
// application priority, so they win over the theme and can be taken back.
void Gadget::RefreshStyle() {
  if (!widget_) return;
  std::string rules;
  if (textColour_ >= 0) rules += "color: " + ColourToHex(textColour_) + "; ";
  if (backgroundColour_ >= 0) {
    rules += "background-color: " + ColourToHex(backgroundColour_) + "; background-image: none; ";
  }
  // A colour the program sets shows at once: themes fade colour changes
  // over a while, longer than a short blink lasts.
  if (!rules.empty()) rules += "transition: none; ";
  const std::string fontRules = FontCss(font_.get());
  std::string css;
  if (std::string_view(FontStyleNode()) == StyleNode()) {
    rules += fontRules;
  } else if (!fontRules.empty()) {
    css = std::string(FontStyleNode()) + " { " + fontRules + "} ";
  }
  if (!rules.empty()) css += std::string(StyleNode()) + " { " + rules + "}";
  GtkStyleContext* context = gtk_widget_get_style_context(widget_);
  if (!style_) {
    style_ = GObjectPtr<GtkCssProvider>::Adopt(gtk_css_provider_new());
    gtk_style_context_add_provider(context, GTK_STYLE_PROVIDER(style_.get()),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  }
  gtk_css_provider_load_from_data(style_.get(), css.c_str(), -1, nullptr);
  gtk_widget_queue_draw(widget_);
}

void Gadget::SetTooltip(const std::string& text) {
  if (!widget_) return;
  gtk_widget_set_tooltip_text(widget_, text.empty() ? nullptr : text.c_str());
  switch (kind_) {
    case GadgetKind::Label:
    case GadgetKind::CheckBox:
    case GadgetKind::Frame:
      return;  // named by the text they show
    case GadgetKind::Button:
      // Named by its text, unless that is no word ("..." on a chooser button).
      if (std::ranges::any_of(Text(),
                              [](unsigned char c) { return std::isalnum(c) || c >= 0x80; })) {
        return;
      }
      break;
    default:
      break;
  }
  // A label beside it (not the one inside a button) names it instead.
  GList* labels = gtk_widget_list_mnemonic_labels(widget_);
  bool labelled = false;
  for (GList* label = labels; label; label = label->next) {
    labelled |= !gtk_widget_is_ancestor(static_cast<GtkWidget*>(label->data), widget_);
  }
  g_list_free(labels);
  if (!labelled) SetAccessibleName(text);
}

void Gadget::SetAccessibleName(const std::string& text) {
  if (widget_ && !text.empty()) NameForScreenReaders(widget_, text);
}

void Gadget::NameForScreenReaders(GtkWidget* widget, const std::string& text) {
  atk_object_set_name(gtk_widget_get_accessible(widget), text.c_str());
  if (GTK_IS_COMBO_BOX(widget) && gtk_combo_box_get_has_entry(GTK_COMBO_BOX(widget))) {
    GtkWidget* entry = gtk_bin_get_child(GTK_BIN(widget));
    atk_object_set_name(gtk_widget_get_accessible(entry), text.c_str());
  }
}

int Gadget::Width() const {
  if (!outer_) return 0;
  if (gtk_widget_get_mapped(outer_)) return gtk_widget_get_allocated_width(outer_);
  int width = 0;
  gtk_widget_get_size_request(outer_, &width, nullptr);
  return width;
}

int Gadget::Height() const {
  if (!outer_) return 0;
  if (gtk_widget_get_mapped(outer_)) return gtk_widget_get_allocated_height(outer_);
  int height = 0;
  gtk_widget_get_size_request(outer_, nullptr, &height);
  return height;
}

// Drops are handled here completely: the handlers stop the signals, so a text
// view's own drop handling (inserting text) never runs.
void Gadget::AcceptFileDrops(GdkDragAction actions) {
  if (!widget_) return;
  const bool connected = dropActions_ != GdkDragAction{};
  dropActions_ = actions;
  GtkTargetListPtr targets = UriListTargets();
  gtk_drag_dest_set(widget_, GtkDestDefaults{}, nullptr, 0, actions);
  gtk_drag_dest_set_target_list(widget_, targets.get());
  if (connected) return;

  ConnectSignal(
      widget_, "drag-motion",
      +[](GtkWidget* widget, GdkDragContext* context, gint, gint, guint time,
          Gadget* self) -> gboolean {
        if (gtk_drag_dest_find_target(widget, context, nullptr) == GDK_NONE) {
          gdk_drag_status(context, GdkDragAction{}, time);
          return TRUE;
        }
        GdkDragAction action = gdk_drag_context_get_suggested_action(context);
        if ((action & self->dropActions_) == 0) {
          action = (self->dropActions_ & GDK_ACTION_COPY) ? GDK_ACTION_COPY : GDK_ACTION_MOVE;
        }
        gdk_drag_status(context, action, time);
        return TRUE;
      },
      this);
  ConnectSignal(
      widget_, "drag-drop",
      +[](GtkWidget* widget, GdkDragContext* context, gint, gint, guint time, Gadget*) -> gboolean {
        const GdkAtom target = gtk_drag_dest_find_target(widget, context, nullptr);
        if (target == GDK_NONE) {
          gtk_drag_finish(context, FALSE, FALSE, time);
        } else {
          gtk_drag_get_data(widget, context, target, time);
        }
        return TRUE;
      },
      this);
  ConnectSignal(
      widget_, "drag-data-received",
      +[](GtkWidget* widget, GdkDragContext* context, gint, gint, GtkSelectionData* selection,
          guint, guint time, Gadget* self) {
        g_signal_stop_emission_by_name(widget, "drag-data-received");
        const guchar* bytes = gtk_selection_data_get_data(selection);
        const gint length = gtk_selection_data_get_length(selection);
        auto drop = std::make_shared<DropData>();
        if (bytes && length > 0) {
          drop->raw.assign(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
        }
        drop->files = LocalPathsFromUriList(drop->raw);
        drop->type = drop->files.empty() ? DropData::Type::Other : DropData::Type::Files;
        gtk_drag_finish(context, TRUE, FALSE, time);
        // Every drop counts, even one equal to a drop still waiting.
        self->sink_.Queue().Post(
            Event{EventKind::GadgetDrop, self->window_, self->id_, 0, 0, std::move(drop)});
      },
      this);
}

bool Gadget::StartFileDrag(const std::vector<std::string>& absolutePaths, GdkDragAction actions,
                           GdkEvent* trigger) {
  if (!widget_ || absolutePaths.empty()) return false;
  std::string uris;
  for (const std::string& path : absolutePaths) {
    const std::string uri = FileUriFromPath(path);
    if (uri.empty()) return false;
    uris += uri + "\r\n";
  }
  const bool connected = !dragUris_.empty();
  dragUris_ = std::move(uris);
  if (!connected) {
    ConnectSignal(
        widget_, "drag-data-get",
        +[](GtkWidget* widget, GdkDragContext*, GtkSelectionData* selection, guint, guint,
            Gadget* self) {
          gtk_selection_data_set(selection, gtk_selection_data_get_target(selection), 8,
                                 reinterpret_cast<const guchar*>(self->dragUris_.data()),
                                 static_cast<gint>(self->dragUris_.size()));
          g_signal_stop_emission_by_name(widget, "drag-data-get");
        },
        this);
  }
  GtkTargetListPtr targets = UriListTargets();
  return gtk_drag_begin_with_coordinates(widget_, targets.get(), actions, 1, trigger, -1, -1) !=
         nullptr;
}

}  // namespace toolkit

// Splitter: two gadgets side by side (or one above the other) with a movable separator.
#include "toolkit/SplitterGadget.h"

namespace toolkit {
namespace {

// Each side is tagged with 1 or 2, so the shared size handler knows which it is.
constexpr const char* kSideKey = "orvex-splitter-side";

}  // namespace

SplitterGadget::SplitterGadget(int id, int window, EventSink& sink, GtkWidget* first,
                               GtkWidget* second, int flags)
    : Gadget(id, GadgetKind::Splitter, window, sink),
      sideBySide_((flags & splitter_flag::kSideBySide) != 0) {
  GtkWidget* paned =
      gtk_paned_new(sideBySide_ ? GTK_ORIENTATION_HORIZONTAL : GTK_ORIENTATION_VERTICAL);
  const bool firstResizes =
      (flags & splitter_flag::kFirstResizes) || !(flags & splitter_flag::kSecondResizes);
  const bool secondResizes =
      (flags & splitter_flag::kSecondResizes) || !(flags & splitter_flag::kFirstResizes);
  gtk_paned_pack1(GTK_PANED(paned), first, firstResizes, FALSE);
  gtk_paned_pack2(GTK_PANED(paned), second, secondResizes, FALSE);
  Attach(paned, paned);

  for (int side = 0; side < 2; ++side) {
    GtkWidget* child = side == 0 ? first : second;
    g_object_set_data(G_OBJECT(child), kSideKey, GINT_TO_POINTER(side + 1));
    ConnectSignal(
        child, "size-allocate",
        +[](GtkWidget* widget, GdkRectangle* allocation, SplitterGadget* self) {
          const int index = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), kSideKey)) - 1;
          if (index < 0 || index > 1) return;
          int* size = self->sizes_[index];
          if (size[0] == allocation->width && size[1] == allocation->height) return;
          size[0] = allocation->width;
          size[1] = allocation->height;
          self->QueueEvent(event_type::kLeftClick);
        },
        this);
  }
}

void SplitterGadget::SetState(int state) {
  Quiet quiet(*this);
  gtk_paned_set_position(GTK_PANED(Widget()), state);
}

int SplitterGadget::State() const {
  return gtk_paned_get_position(GTK_PANED(Widget()));
}

void SplitterGadget::SetAttribute(GadgetAttribute attribute, int value) {
  GtkPaned* paned = GTK_PANED(Widget());
  GtkWidget* side = nullptr;
  if (attribute == GadgetAttribute::SplitterFirstMinimumSize) side = gtk_paned_get_child1(paned);
  if (attribute == GadgetAttribute::SplitterSecondMinimumSize) side = gtk_paned_get_child2(paned);
  if (!side) return;
  // Neither side can be shrunk below its size request, so the request is the minimum.
  if (sideBySide_) {
    gtk_widget_set_size_request(side, value, -1);
  } else {
    gtk_widget_set_size_request(side, -1, value);
  }
}

}  // namespace toolkit

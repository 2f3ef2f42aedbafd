// A one-line label, optionally right-aligned, centred or in a sunken border.
#include "toolkit/LabelGadget.h"

namespace toolkit {

LabelGadget::LabelGadget(int id, int window, EventSink& sink, const std::string& text, int flags)
    : Gadget(id, GadgetKind::Label, window, sink) {
  GtkWidget* label = gtk_label_new(text.c_str());
  const float xalign = (flags & label_flag::kRight)    ? 1.0f
                       : (flags & label_flag::kCenter) ? 0.5f
                                                       : 0.0f;
  gtk_label_set_xalign(GTK_LABEL(label), xalign);
  gtk_label_set_yalign(GTK_LABEL(label), (flags & label_flag::kCenter) ? 0.5f : 0.0f);
  gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
  GtkWidget* outer = label;
  if (flags & label_flag::kBorder) {
    outer = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(outer), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(outer), label);
  }
  Attach(label, outer);
}

void LabelGadget::SetText(const std::string& text) {
  gtk_label_set_text(GTK_LABEL(Widget()), text.c_str());
  // The gadget the label is related to is announced by its text.
  if (GtkWidget* named = gtk_label_get_mnemonic_widget(GTK_LABEL(Widget()))) {
    NameForScreenReaders(named, text);
  }
}

std::string LabelGadget::Text() const {
  return gtk_label_get_text(GTK_LABEL(Widget()));
}

}  // namespace toolkit

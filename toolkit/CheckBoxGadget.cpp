// A check box with its label; state 1 when ticked.
#include "toolkit/CheckBoxGadget.h"

namespace toolkit {

CheckBoxGadget::CheckBoxGadget(int id, int window, EventSink& sink, const std::string& text)
    : Gadget(id, GadgetKind::CheckBox, window, sink) {
  GtkWidget* box = gtk_check_button_new_with_label(text.c_str());
  Attach(box, box);
  ConnectSignal(
      box, "toggled",
      +[](GtkToggleButton*, CheckBoxGadget* self) { self->QueueEvent(event_type::kLeftClick); },
      this);
}

void CheckBoxGadget::SetText(const std::string& text) {
  gtk_button_set_label(GTK_BUTTON(Widget()), text.c_str());
}

std::string CheckBoxGadget::Text() const {
  const gchar* label = gtk_button_get_label(GTK_BUTTON(Widget()));
  return label ? label : "";
}

void CheckBoxGadget::SetState(int state) {
  Quiet quiet(*this);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(Widget()), state != 0);
}

int CheckBoxGadget::State() const {
  return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(Widget())) ? 1 : 0;
}

}  // namespace toolkit

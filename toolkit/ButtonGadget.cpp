// Push buttons: with a text, with an icon and a text, or with an image only.
#include "toolkit/ButtonGadget.h"

#include <utility>

namespace toolkit {

ButtonGadget::ButtonGadget(int id, int window, EventSink& sink, const std::string& text,
                           const std::string& iconName)
    : Gadget(id, GadgetKind::Button, window, sink) {
  GtkWidget* button = gtk_button_new_with_mnemonic(text.c_str());
  if (!iconName.empty()) {
    gtk_button_set_image(GTK_BUTTON(button),
                         gtk_image_new_from_icon_name(iconName.c_str(), GTK_ICON_SIZE_BUTTON));
    gtk_button_set_always_show_image(GTK_BUTTON(button), TRUE);
  }
  Attach(button, button);
  ConnectClicked();
}

ButtonGadget::ButtonGadget(int id, int window, EventSink& sink, const Stock& stock)
    : Gadget(id, GadgetKind::Button, window, sink) {
  // Stock items are the only source of the toolkit's own translated labels
  // with their icons; they are deprecated but still complete in GTK 3.
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  GtkWidget* button = gtk_button_new_from_stock(stock.id.c_str());
  G_GNUC_END_IGNORE_DEPRECATIONS
  gtk_button_set_always_show_image(GTK_BUTTON(button), TRUE);
  Attach(button, button);
  ConnectClicked();
}

ButtonGadget::ButtonGadget(int id, int window, EventSink& sink, ImagePtr image)
    : Gadget(id, GadgetKind::ImageButton, window, sink), imageOnly_(true) {
  GtkWidget* button = gtk_button_new();
  GtkWidget* picture = gtk_image_new();
  ShowScaled(GTK_IMAGE(picture), std::move(image));
  gtk_button_set_image(GTK_BUTTON(button), picture);
  gtk_button_set_always_show_image(GTK_BUTTON(button), TRUE);
  Attach(button, button);
  ConnectClicked();
}

void ButtonGadget::ConnectClicked() {
  ConnectSignal(
      Widget(), "clicked",
      +[](GtkButton*, ButtonGadget* self) { self->QueueEvent(event_type::kLeftClick); }, this);
}

void ButtonGadget::SetText(const std::string& text) {
  if (!imageOnly_) gtk_button_set_label(GTK_BUTTON(Widget()), text.c_str());
}

std::string ButtonGadget::Text() const {
  const gchar* label = gtk_button_get_label(GTK_BUTTON(Widget()));
  return label ? label : "";
}

}  // namespace toolkit

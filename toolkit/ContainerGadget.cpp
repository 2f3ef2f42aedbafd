// A container: a layer of its own into which further gadgets are placed.
#include "toolkit/ContainerGadget.h"

namespace toolkit {

ContainerGadget::ContainerGadget(int id, int window, EventSink& sink)
    : Gadget(id, GadgetKind::Container, window, sink) {
  GtkWidget* layer = gtk_layout_new(nullptr, nullptr);
  Attach(layer, layer);
}

}  // namespace toolkit

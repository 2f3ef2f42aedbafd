// A container: a layer of its own into which further gadgets are placed.
#pragma once

#include "toolkit/Gadget.h"

namespace toolkit {

class ContainerGadget : public Gadget {
 public:
  ContainerGadget(int id, int window, EventSink& sink);

  GtkLayout* Layer() const { return GTK_LAYOUT(Widget()); }
};

}  // namespace toolkit

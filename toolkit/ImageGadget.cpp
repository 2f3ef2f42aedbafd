// An image that queues a click event when clicked (unless it is a decoration).
#include "toolkit/ImageGadget.h"

#include <utility>

namespace toolkit {

ImageGadget::ImageGadget(int id, int window, EventSink& sink, ImagePtr image)
    : Gadget(id, GadgetKind::Image, window, sink) {
  image_ = gtk_image_new();
  ShowScaled(GTK_IMAGE(image_), std::move(image));
  // A decoration takes no clicks: without an event box screen readers pass
  // it by as a picture.
  if (id == kNoGadgetId) {
    Attach(image_, image_);
    return;
  }
  // The event box gives the image a window of its own to receive clicks.
  GtkWidget* box = gtk_event_box_new();
  gtk_event_box_set_visible_window(GTK_EVENT_BOX(box), FALSE);
  gtk_container_add(GTK_CONTAINER(box), image_);
  Attach(box, box);
  ConnectSignal(
      box, "button-release-event",
      +[](GtkWidget*, GdkEventButton* event, ImageGadget* self) -> gboolean {
        if (event->button == GDK_BUTTON_PRIMARY) self->QueueEvent(event_type::kLeftClick);
        return FALSE;
      },
      this);
}

void ImageGadget::SetImage(ImagePtr image) {
  ShowScaled(GTK_IMAGE(image_), std::move(image));
}

const ScaledImage* ImageGadget::Image() const {
  return ShownScaled(GTK_IMAGE(image_));
}

}  // namespace toolkit

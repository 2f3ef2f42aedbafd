// An image that queues a click event when clicked.
#include "toolkit/ImageGadget.h"

namespace toolkit {

ImageGadget::ImageGadget(int id, int window, EventSink& sink, GdkPixbuf* image)
    : Gadget(id, GadgetKind::Image, window, sink) {
  // The event box gives the image a window of its own to receive clicks.
  GtkWidget* box = gtk_event_box_new();
  gtk_event_box_set_visible_window(GTK_EVENT_BOX(box), FALSE);
  image_ = gtk_image_new_from_pixbuf(image);
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

void ImageGadget::SetImage(GdkPixbuf* image) {
  gtk_image_set_from_pixbuf(GTK_IMAGE(image_), image);
}

GdkPixbuf* ImageGadget::Image() const {
  return gtk_image_get_storage_type(GTK_IMAGE(image_)) == GTK_IMAGE_PIXBUF
             ? gtk_image_get_pixbuf(GTK_IMAGE(image_))
             : nullptr;
}

}  // namespace toolkit

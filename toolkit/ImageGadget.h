// An image that queues a click event when clicked.
#pragma once

#include "toolkit/Gadget.h"

namespace toolkit {

class ImageGadget : public Gadget {
 public:
  ImageGadget(int id, int window, EventSink& sink, GdkPixbuf* image);

  void SetImage(GdkPixbuf* image);
  GdkPixbuf* Image() const;

 private:
  GtkWidget* image_ = nullptr;
};

}  // namespace toolkit

// An image that queues a click event when clicked.
#pragma once

#include "toolkit/Gadget.h"

namespace toolkit {

class ImageGadget : public Gadget {
 public:
  ImageGadget(int id, int window, EventSink& sink, ImagePtr image);

  void SetImage(ImagePtr image);
  const ScaledImage* Image() const;
  GtkImage* ImageWidget() const { return GTK_IMAGE(image_); }

 private:
  GtkWidget* image_ = nullptr;
};

}  // namespace toolkit

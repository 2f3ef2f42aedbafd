// Push buttons: with a text, with an icon and a text, or with an image only.
#pragma once

#include "toolkit/Gadget.h"

namespace toolkit {

class ButtonGadget : public Gadget {
 public:
  // A text button; with an icon name the themed icon stands before the text.
  ButtonGadget(int id, int window, EventSink& sink, const std::string& text,
               const std::string& iconName);
  // A button of one of the toolkit's stock items.
  struct Stock {
    std::string id;
  };
  ButtonGadget(int id, int window, EventSink& sink, const Stock& stock);
  // An image-only button.
  ButtonGadget(int id, int window, EventSink& sink, ImagePtr image);

  void SetText(const std::string& text) override;
  std::string Text() const override;
  // Image-only buttons also take the tooltip as their accessible name, so
  // screen readers can announce them.

 private:
  void ConnectClicked();
  bool imageOnly_ = false;
};

}  // namespace toolkit

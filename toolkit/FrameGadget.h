// A titled frame drawn around gadgets that are placed over it.
#pragma once

#include "toolkit/Gadget.h"

namespace toolkit {

class FrameGadget : public Gadget {
 public:
  FrameGadget(int id, int window, EventSink& sink, const std::string& title);

  // The title.
  void SetText(const std::string& text) override;
  std::string Text() const override;
  // The title's font (the frame has no other text).
  void SetFont(const PangoFontDescription* font) override;
  // The colour drawn behind the frame and everything inside it.
  void SetBackground(const GdkRGBA& colour);

 protected:
  const char* StyleNode() const override { return "frame"; }

 private:
  GObjectPtr<GtkCssProvider> titleStyle_;
  GObjectPtr<GtkCssProvider> backgroundStyle_;
};

}  // namespace toolkit

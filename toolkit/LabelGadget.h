// A one-line label, optionally right-aligned, centred or in a sunken border.
#pragma once

#include "toolkit/Gadget.h"

namespace toolkit {

namespace label_flag {
inline constexpr int kRight = 1;
inline constexpr int kCenter = 2;
inline constexpr int kBorder = 4;  // a sunken frame around the text
}  // namespace label_flag

class LabelGadget : public Gadget {
 public:
  LabelGadget(int id, int window, EventSink& sink, const std::string& text, int flags);

  void SetText(const std::string& text) override;
  std::string Text() const override;

 protected:
  const char* StyleNode() const override { return "label"; }
};

}  // namespace toolkit

// Splitter: two gadgets side by side (or one above the other) with a movable separator.
#pragma once

#include "toolkit/Gadget.h"

namespace toolkit {

namespace splitter_flag {
inline constexpr int kSideBySide = 1;
inline constexpr int kSecondResizes = 4;  // the second side grows and shrinks with the splitter
inline constexpr int kFirstResizes = 8;   // the first side does
}  // namespace splitter_flag

// Queues a click event (type 0) whenever a side changes size, whatever moved
// it: the user's drag of the separator, a resize of the splitter or a new
// position set by the program. The event comes after the sides have their new
// sizes, so a re-layout that it starts reads the right values.
class SplitterGadget : public Gadget {
 public:
  SplitterGadget(int id, int window, EventSink& sink, GtkWidget* first, GtkWidget* second,
                 int flags);

  // The separator position.
  void SetState(int state) override;
  int State() const override;
  // The minimum size of a side along the split, in pixels.
  void SetAttribute(GadgetAttribute attribute, int value) override;

 private:
  bool sideBySide_;
  int sizes_[2][2] = {{-1, -1}, {-1, -1}};  // last seen width and height of each side
};

}  // namespace toolkit

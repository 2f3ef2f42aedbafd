// A check box with its label; state 1 when ticked.
#pragma once

#include "toolkit/Gadget.h"

namespace toolkit {

class CheckBoxGadget : public Gadget {
 public:
  CheckBoxGadget(int id, int window, EventSink& sink, const std::string& text);

  void SetText(const std::string& text) override;
  std::string Text() const override;
  void SetState(int state) override;
  int State() const override;
};

}  // namespace toolkit

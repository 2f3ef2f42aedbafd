// One-line text field.
#pragma once

#include "toolkit/Gadget.h"

namespace toolkit {

namespace text_field_flag {
inline constexpr int kReadOnly = 1;
inline constexpr int kRightAligned = 2;
inline constexpr int kNoFocus = 4;  // never takes the keyboard focus
}  // namespace text_field_flag

class TextFieldGadget : public Gadget {
 public:
  TextFieldGadget(int id, int window, EventSink& sink, int flags);

  void SetText(const std::string& text) override;
  std::string Text() const override;

  // The text cursor's place, counted in characters from the start.
  int CursorPosition() const;
  // Removes the characters from start up to end (exclusive); an ordinary
  // change that queues the change event.
  void DeleteCharacters(int start, int end);

  GtkEntry* Entry() const { return GTK_ENTRY(Widget()); }

 protected:
  const char* StyleNode() const override { return "entry"; }
};

}  // namespace toolkit

// Multi-line text area in a scrolled, etched frame.
#pragma once

#include "toolkit/Gadget.h"

namespace toolkit {

namespace text_area_flag {
inline constexpr int kReadOnly = 1;
inline constexpr int kWordWrap = 2;
}  // namespace text_area_flag

class TextAreaGadget : public Gadget {
 public:
  TextAreaGadget(int id, int window, EventSink& sink, int flags);

  void SetText(const std::string& text) override;
  std::string Text() const override;
  // Appends text as the new last line.
  void AddItem(int position, const std::string& text, const ImagePtr& image, int subLevel) override;
  void ClearItems() override;
  // The number of lines.
  int CountItems() const override;

  // Marks the first occurrence of text from line fromLine on, ignoring
  // letter case, with a background colour (a name or "#rrggbb") above every
  // other colouring, and scrolls the view to it; false, with no mark, when
  // the area holds none.
  bool MarkFirst(const std::string& text, const std::string& background, int fromLine = 0);
  // Removes the mark.
  void ClearMark();

  GtkTextView* View() const { return GTK_TEXT_VIEW(Widget()); }
  GtkTextBuffer* Buffer() const { return gtk_text_view_get_buffer(View()); }

 protected:
  const char* StyleNode() const override { return "textview text"; }
  // The text is laid out with the view's own font, not its text node's.
  const char* FontStyleNode() const override { return "textview"; }
};

}  // namespace toolkit

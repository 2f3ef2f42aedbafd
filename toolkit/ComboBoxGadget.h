// Combo box, optionally with an entry and with item images.
#pragma once

#include "toolkit/Gadget.h"

namespace toolkit {

namespace combo_flag {
inline constexpr int kEditable = 1;  // shows an entry above the list
inline constexpr int kImages = 2;    // items carry images
}  // namespace combo_flag

class ComboBoxGadget : public Gadget {
 public:
  ComboBoxGadget(int id, int window, EventSink& sink, int flags);

  // The entry's text, or for a box without entry the chosen item's text.
  void SetText(const std::string& text) override;
  std::string Text() const override;
  // The chosen item, -1 for none.
  void SetState(int state) override;
  int State() const override;
  void AddItem(int position, const std::string& text, const ImagePtr& image, int subLevel) override;
  void ClearItems() override;
  int CountItems() const override;
  std::string ItemText(int position) const override;
  // Replaces an item's text; its image and the chosen item stay.
  void SetItemText(int position, const std::string& text) override;
  void SetItemImage(int position, const ImagePtr& image) override;

  // The entry of a box with entry, else nullptr.
  GtkEntry* Entry() const;

 private:
  enum Column { kTextColumn, kImageColumn, kColumnCount };
  bool Iter(int position, GtkTreeIter* iter) const;

  GtkListStore* store_ = nullptr;  // owned by the combo box
  std::vector<ImagePtr> images_;   // the pictures the items show, kept alive
  bool editable_ = false;
};

}  // namespace toolkit

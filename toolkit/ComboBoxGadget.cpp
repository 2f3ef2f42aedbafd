// Combo box, optionally with an entry and with item images.
#include "toolkit/ComboBoxGadget.h"

namespace toolkit {

ComboBoxGadget::ComboBoxGadget(int id, int window, EventSink& sink, int flags)
    : Gadget(id, GadgetKind::ComboBox, window, sink),
      editable_((flags & combo_flag::kEditable) != 0) {
  GObjectPtr<GtkListStore> store = GObjectPtr<GtkListStore>::Adopt(
      gtk_list_store_new(kColumnCount, G_TYPE_STRING, G_TYPE_POINTER));
  store_ = store.get();
  GtkWidget* combo = editable_ ? gtk_combo_box_new_with_model_and_entry(GTK_TREE_MODEL(store_))
                               : gtk_combo_box_new_with_model(GTK_TREE_MODEL(store_));
  GtkCellLayout* layout = GTK_CELL_LAYOUT(combo);
  if (flags & combo_flag::kImages) {
    GtkCellRenderer* image = gtk_cell_renderer_pixbuf_new();
    gtk_cell_layout_pack_start(layout, image, FALSE);
    RenderScaledImages(layout, image, kImageColumn, combo);
    gtk_cell_layout_reorder(layout, image, 0);
  }
  if (editable_) {
    gtk_combo_box_set_entry_text_column(GTK_COMBO_BOX(combo), kTextColumn);
    gtk_entry_set_width_chars(GTK_ENTRY(gtk_bin_get_child(GTK_BIN(combo))), 0);
  } else {
    GtkCellRenderer* text = gtk_cell_renderer_text_new();
    // A long item is shortened in the box rather than widening it over its
    // neighbours; the open list still shows it whole.
    g_object_set(text, "ellipsize", PANGO_ELLIPSIZE_END, nullptr);
    gtk_cell_layout_pack_start(layout, text, TRUE);
    gtk_cell_layout_add_attribute(layout, text, "text", kTextColumn);
  }
  Attach(combo, combo);
  ConnectSignal(
      combo, "changed",
      +[](GtkComboBox*, ComboBoxGadget* self) { self->QueueEvent(event_type::kChange); }, this);
}

GtkEntry* ComboBoxGadget::Entry() const {
  return editable_ ? GTK_ENTRY(gtk_bin_get_child(GTK_BIN(Widget()))) : nullptr;
}

bool ComboBoxGadget::Iter(int position, GtkTreeIter* iter) const {
  return position >= 0 &&
         gtk_tree_model_iter_nth_child(GTK_TREE_MODEL(store_), iter, nullptr, position);
}

void ComboBoxGadget::SetText(const std::string& text) {
  Quiet quiet(*this);
  if (GtkEntry* entry = Entry()) gtk_entry_set_text(entry, text.c_str());
}

std::string ComboBoxGadget::Text() const {
  if (GtkEntry* entry = Entry()) return gtk_entry_get_text(entry);
  return ItemText(State());
}

void ComboBoxGadget::SetState(int state) {
  Quiet quiet(*this);
  gtk_combo_box_set_active(GTK_COMBO_BOX(Widget()),
                           state >= 0 && state < CountItems() ? state : -1);
}

int ComboBoxGadget::State() const {
  return gtk_combo_box_get_active(GTK_COMBO_BOX(Widget()));
}

void ComboBoxGadget::AddItem(int position, const std::string& text, const ImagePtr& image, int) {
  if (image) images_.push_back(image);
  Quiet quiet(*this);
  GtkTreeIter iter;
  gtk_list_store_insert_with_values(store_, &iter, position < 0 ? -1 : position, kTextColumn,
                                    text.c_str(), kImageColumn, image.get(), -1);
}

void ComboBoxGadget::ClearItems() {
  Quiet quiet(*this);
  gtk_list_store_clear(store_);
  if (GtkEntry* entry = Entry()) gtk_entry_set_text(entry, "");
}

int ComboBoxGadget::CountItems() const {
  return gtk_tree_model_iter_n_children(GTK_TREE_MODEL(store_), nullptr);
}

std::string ComboBoxGadget::ItemText(int position) const {
  GtkTreeIter iter;
  if (!Iter(position, &iter)) return {};
  gchar* text = nullptr;
  gtk_tree_model_get(GTK_TREE_MODEL(store_), &iter, kTextColumn, &text, -1);
  GCharPtr owned(text);
  return owned ? std::string(owned.get()) : std::string();
}

void ComboBoxGadget::SetItemText(int position, const std::string& text) {
  Quiet quiet(*this);
  GtkTreeIter iter;
  if (Iter(position, &iter)) gtk_list_store_set(store_, &iter, kTextColumn, text.c_str(), -1);
}

void ComboBoxGadget::SetItemImage(int position, const ImagePtr& image) {
  if (image) images_.push_back(image);
  GtkTreeIter iter;
  if (Iter(position, &iter)) gtk_list_store_set(store_, &iter, kImageColumn, image.get(), -1);
}

}  // namespace toolkit

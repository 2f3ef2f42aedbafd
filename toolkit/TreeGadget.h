// Tree of text items with optional image and colours per item.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "toolkit/Gadget.h"
#include "toolkit/TreeRowModel.h"

namespace toolkit {

// Items are addressed by position in display order: the depth-first walk of
// the whole tree, parents before children, counting every item whether its
// parent is expanded or not. Items are only ever appended, so the positions
// of existing items never change until the tree is cleared.
//
// The view draws in fixed-height mode with one fixed-width column, so tens of
// thousands of expanded rows draw at once without measuring every row.
class TreeGadget : public Gadget {
 public:
  enum Column {
    kTextColumn = TreeRows::kTextColumn,
    kImageColumn = TreeRows::kImageColumn,
    kTextColourColumn = TreeRows::kTextColourColumn,
    kBackgroundColumn = TreeRows::kBackgroundColumn,
    kPositionColumn = TreeRows::kPositionColumn,
  };

  TreeGadget(int id, int window, EventSink& sink);

  // The selected position, -1 for none. Selecting expands the item's
  // ancestors first: the toolkit cannot select a row hidden under a collapsed
  // parent.
  void SetState(int state) override;
  int State() const override;
  // Appends an item at subLevel (0 for a root item); its parent is the last
  // item appended one level higher. position is ignored.
  void AddItem(int position, const std::string& text, const ImagePtr& image, int subLevel) override;
  void ClearItems() override;

  // One item of a bulk fill; colours as for SetItemColour.
  struct Row {
    std::string_view text;
    ImagePtr image;
    int level = 0;
    int textColour = -1;
    int background = -1;
    bool bold = false;  // drawn in bold, so measured in bold
  };
  // Appends many items as AddItem and SetItemColour would one by one, with
  // the view detached from its model meanwhile, then fits the column to the
  // widest of them.
  void AppendRows(std::span<const Row> rows);
  int CountItems() const override;
  std::string ItemText(int position) const override;
  // Bits: 1 select, 2 expand (one level), 8 collapse.
  void SetItemState(int position, int state) override;
  // Bits: 1 selected, 2 expanded; 8 for an item that is not expanded.
  int ItemState(int position) const override;
  void SetItemColour(int position, ColourAttribute attribute, int colour) override;
  void SetItemImage(int position, const ImagePtr& image) override;

  // The level of the item below the root items (0 for a root item), -1 when it does not exist.
  int ItemLevel(int position) const;
  void ExpandAll();
  void CollapseAll();

  GtkTreeView* View() const { return GTK_TREE_VIEW(Widget()); }
  GtkTreeModel* Model() const { return model_.get(); }
  GtkCellRenderer* TextRenderer() const { return textRenderer_; }
  GtkTreeViewColumn* Column() const { return column_; }

  // The model's iterator of the item at position; false when there is none.
  bool IterOf(int position, GtkTreeIter& iter) const {
    if (!rows_->Valid(position)) return false;
    iter = rows_->IterOf(position);
    return true;
  }

  // The position of the item at a tree path in its string form ("0:3:1"), -1 when none.
  int PositionOfPath(const char* pathString) const;

 protected:
  const char* StyleNode() const override { return "treeview"; }

 private:
  GtkTreePathPtr PathOf(int position) const { return rows_->PathOf(position); }
  void Append(const Row& row, bool notify);
  // Detaches the model from the view while alive: the view then does no work
  // per inserted or removed item.
  class Detached;
  void FitColumnWidth(std::span<const Row> rows);
  void ExpandAncestors(GtkTreePath* path);

  GObjectPtr<GtkTreeModel> model_;
  TreeRows* rows_ = nullptr;  // the rows of model_
  GtkCellRenderer* textRenderer_ = nullptr;
  GtkTreeViewColumn* column_ = nullptr;

  // Drag detection: the press that may become a drag, and whether it did.
  double pressX_ = 0;
  double pressY_ = 0;
  bool pressed_ = false;
  bool dragStarted_ = false;
};

}  // namespace toolkit

// A tree model over one flat list of rows in display order, for the index
// tree: appending a row costs no more than a vector push, and the view asks
// for texts, images and colours only of the rows it draws.
#pragma once

#include <gtk/gtk.h>

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "toolkit/GLibHandles.h"
#include "toolkit/ScaledImage.h"
#include "toolkit/core/Arena.h"

namespace toolkit {

// The rows of one model, addressed by position: the depth-first walk of the
// whole tree, parents before children. Rows are only appended, and removed
// all at once, so positions stay fixed until the rows are cleared.
class TreeRows {
 public:
  enum Column {
    kTextColumn,        // string
    kImageColumn,       // const ScaledImage*, null for none
    kTextColourColumn,  // GdkRGBA, unset for the default colour
    kBackgroundColumn,  // GdkRGBA, unset for the default colour
    kPositionColumn,    // int
    kColumnCount
  };

  explicit TreeRows(GtkTreeModel* model) : model_(model) {}

  // Appends a row at level (0 for a top-level row); a level deeper than one
  // below the last row hangs under that row. Returns its position. With
  // notify, views showing the model are told.
  int Append(std::string_view text, ImagePtr image, int level, bool notify);
  // Makes room for count rows in all, with textBytes of text in all, so
  // appending them moves no row. On an empty list the room is taken from
  // the system in one call, and goes back with the rows.
  void Reserve(std::size_t count, std::size_t textBytes);
  // Removes every row, telling the views.
  void Clear();

  int Count() const { return static_cast<int>(rows_.size()); }
  bool Valid(int position) const {
    return position >= 0 && static_cast<std::size_t>(position) < rows_.size();
  }
  std::string_view Text(int position) const { return Row(position).text; }
  int Level(int position) const { return Row(position).level; }

  // Colours are 24-bit red + green * 256 + blue * 65536; -1 the default.
  void SetTextColour(int position, int colour, bool notify);
  void SetBackground(int position, int colour, bool notify);
  void SetImage(int position, ImagePtr image, bool notify);

  // The iterator and path of a row, and the row of an iterator or path.
  GtkTreeIter IterOf(int position) const;
  GtkTreePathPtr PathOf(int position) const;
  int PositionOf(const GtkTreeIter* iter) const;
  int PositionOf(GtkTreePath* path) const;

  // The parts of the tree-model interface that need the rows.
  void Value(int position, int column, GValue* value) const;
  int ChildCount(int parent) const;  // parent -1: the top-level rows
  int NthChild(int parent, int n) const;
  int Parent(int position) const { return Row(position).parent; }
  int NextSibling(int position, int step) const;
  int Stamp() const { return stamp_; }

 private:
  struct RowData {
    std::string_view text;  // NUL-terminated, in arena_
    ImagePtr image;
    int level = 0;
    int parent = -1;
    int indexInParent = 0;
    int textColour = -1;
    int background = -1;
    std::vector<int> children;  // empty (no allocation) for leaves
  };
  const RowData& Row(int position) const { return rows_[static_cast<std::size_t>(position)]; }
  RowData& Row(int position) { return rows_[static_cast<std::size_t>(position)]; }
  const std::vector<int>& ChildrenOf(int parent) const {
    return parent < 0 ? topLevel_ : Row(parent).children;
  }
  void Changed(int position);

  Arena& Texts();

  GtkTreeModel* model_;  // the model that owns these rows
  // The rows and their texts; rows_ goes before the arena it lives in.
  std::unique_ptr<Arena> arena_;
  ArenaVector<RowData> rows_;
  std::vector<int> topLevel_;
  std::vector<int> lastAtLevel_;  // the last row appended on each level
  int stamp_ = 1;                 // changes whenever iterators become invalid
};

// A new model (one reference for the caller) and its rows.
GObjectPtr<GtkTreeModel> NewTreeRowModel();
TreeRows& RowsOf(GtkTreeModel* model);

}  // namespace toolkit

// A tree model over one flat list of rows in display order.
#include "toolkit/TreeRowModel.h"

#include <algorithm>
#include <new>

#include "toolkit/core/Colour.h"

namespace toolkit {

// The GObject that carries the rows. They are built in the instance's own
// memory and destroyed when the last reference goes, so a view that still
// holds the model never sees them gone.
struct OrvexTreeRowModel {
  GObject parent;
  alignas(TreeRows) unsigned char storage[sizeof(TreeRows)];
  TreeRows* rows;
};
struct OrvexTreeRowModelClass {
  GObjectClass parent;
};

namespace {

void InitTreeModel(GtkTreeModelIface* iface);

G_DEFINE_TYPE_WITH_CODE(OrvexTreeRowModel, orvex_tree_row_model, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(GTK_TYPE_TREE_MODEL, InitTreeModel))

void orvex_tree_row_model_init(OrvexTreeRowModel* self) {
  self->rows = new (self->storage) TreeRows(GTK_TREE_MODEL(self));
}

void Finalize(GObject* object) {
  reinterpret_cast<OrvexTreeRowModel*>(object)->rows->~TreeRows();
  G_OBJECT_CLASS(orvex_tree_row_model_parent_class)->finalize(object);
}

void orvex_tree_row_model_class_init(OrvexTreeRowModelClass* klass) {
  G_OBJECT_CLASS(klass)->finalize = Finalize;
}

TreeRows& Rows(GtkTreeModel* model) {
  return *reinterpret_cast<OrvexTreeRowModel*>(model)->rows;
}

// Sets iter to the row at position; false (iter invalid) when there is none.
gboolean Point(const TreeRows& rows, GtkTreeIter* iter, int position) {
  if (!rows.Valid(position)) {
    iter->stamp = 0;
    return FALSE;
  }
  *iter = rows.IterOf(position);
  return TRUE;
}

GType ColumnType(GtkTreeModel*, gint column) {
  switch (column) {
    case TreeRows::kTextColumn:
      return G_TYPE_STRING;
    case TreeRows::kImageColumn:
      return G_TYPE_POINTER;
    case TreeRows::kTextColourColumn:
    case TreeRows::kBackgroundColumn:
      return GDK_TYPE_RGBA;
    default:
      return G_TYPE_INT;
  }
}

void InitTreeModel(GtkTreeModelIface* iface) {
  iface->get_flags = [](GtkTreeModel*) { return GTK_TREE_MODEL_ITERS_PERSIST; };
  iface->get_n_columns = [](GtkTreeModel*) { return static_cast<gint>(TreeRows::kColumnCount); };
  iface->get_column_type = ColumnType;
  iface->get_iter = [](GtkTreeModel* model, GtkTreeIter* iter, GtkTreePath* path) {
    const TreeRows& rows = Rows(model);
    return Point(rows, iter, rows.PositionOf(path));
  };
  iface->get_path = [](GtkTreeModel* model, GtkTreeIter* iter) {
    const TreeRows& rows = Rows(model);
    return rows.PathOf(rows.PositionOf(iter)).release();
  };
  iface->get_value = [](GtkTreeModel* model, GtkTreeIter* iter, gint column, GValue* value) {
    const TreeRows& rows = Rows(model);
    rows.Value(rows.PositionOf(iter), column, value);
  };
  iface->iter_next = [](GtkTreeModel* model, GtkTreeIter* iter) {
    const TreeRows& rows = Rows(model);
    return Point(rows, iter, rows.NextSibling(rows.PositionOf(iter), 1));
  };
  iface->iter_previous = [](GtkTreeModel* model, GtkTreeIter* iter) {
    const TreeRows& rows = Rows(model);
    return Point(rows, iter, rows.NextSibling(rows.PositionOf(iter), -1));
  };
  iface->iter_children = [](GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* parent) {
    const TreeRows& rows = Rows(model);
    const int from = parent ? rows.PositionOf(parent) : -1;
    if (parent && from < 0) return Point(rows, iter, -1);
    return Point(rows, iter, rows.NthChild(from, 0));
  };
  iface->iter_has_child = [](GtkTreeModel* model, GtkTreeIter* iter) -> gboolean {
    const TreeRows& rows = Rows(model);
    const int position = rows.PositionOf(iter);
    return position >= 0 && rows.ChildCount(position) > 0;
  };
  iface->iter_n_children = [](GtkTreeModel* model, GtkTreeIter* iter) -> gint {
    const TreeRows& rows = Rows(model);
    const int position = iter ? rows.PositionOf(iter) : -1;
    if (iter && position < 0) return 0;
    return rows.ChildCount(position);
  };
  iface->iter_nth_child = [](GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* parent, gint n) {
    const TreeRows& rows = Rows(model);
    const int from = parent ? rows.PositionOf(parent) : -1;
    if (parent && from < 0) return Point(rows, iter, -1);
    return Point(rows, iter, rows.NthChild(from, n));
  };
  iface->iter_parent = [](GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* child) {
    const TreeRows& rows = Rows(model);
    const int position = rows.PositionOf(child);
    return Point(rows, iter, position < 0 ? -1 : rows.Parent(position));
  };
}

GdkRGBA ToRgba(int colour) {
  return GdkRGBA{RedOf(colour) / 255.0, GreenOf(colour) / 255.0, BlueOf(colour) / 255.0, 1.0};
}

}  // namespace

GObjectPtr<GtkTreeModel> NewTreeRowModel() {
  return GObjectPtr<GtkTreeModel>::Adopt(
      GTK_TREE_MODEL(g_object_new(orvex_tree_row_model_get_type(), nullptr)));
}

TreeRows& RowsOf(GtkTreeModel* model) {
  return Rows(model);
}

int TreeRows::Append(std::string_view text, ImagePtr image, int level, bool notify) {
  if (level < 0) level = 0;
  if (level > static_cast<int>(lastAtLevel_.size())) level = static_cast<int>(lastAtLevel_.size());
  const int position = Count();
  const int parent = level > 0 ? lastAtLevel_[static_cast<std::size_t>(level - 1)] : -1;
  RowData& row = rows_.emplace_back();
  row.text = Texts().Keep(text);
  row.image = std::move(image);
  row.level = level;
  row.parent = parent;
  // Taken only now: the new row may have moved every row in memory.
  std::vector<int>& siblings = parent < 0 ? topLevel_ : Row(parent).children;
  row.indexInParent = static_cast<int>(siblings.size());
  siblings.push_back(position);
  lastAtLevel_.resize(static_cast<std::size_t>(level) + 1);
  lastAtLevel_[static_cast<std::size_t>(level)] = position;
  if (notify) {
    GtkTreeIter iter = IterOf(position);
    GtkTreePathPtr path = PathOf(position);
    gtk_tree_model_row_inserted(model_, path.get(), &iter);
    if (parent >= 0 && ChildCount(parent) == 1) {
      GtkTreeIter parentIter = IterOf(parent);
      GtkTreePathPtr parentPath = PathOf(parent);
      gtk_tree_model_row_has_child_toggled(model_, parentPath.get(), &parentIter);
    }
  }
  return position;
}

// Top-level rows go last to first: in display order each one's subtree is
// the tail of the list, so the list shrinks from its end and the views are
// told after each removal.
void TreeRows::Clear() {
  while (!topLevel_.empty()) {
    const int last = topLevel_.back();
    rows_.erase(rows_.begin() + last, rows_.end());
    topLevel_.pop_back();
    ++stamp_;
    GtkTreePathPtr path(gtk_tree_path_new_from_indices(static_cast<gint>(topLevel_.size()), -1));
    gtk_tree_model_row_deleted(model_, path.get());
  }
  rows_ = ArenaVector<RowData>();
  arena_.reset();
  lastAtLevel_.clear();
}

void TreeRows::Reserve(std::size_t count, std::size_t textBytes) {
  if (rows_.empty()) {
    arena_ = std::make_unique<Arena>(count * sizeof(RowData) + alignof(RowData) + textBytes);
    rows_ = ArenaVector<RowData>(ArenaAllocator<RowData>(arena_.get()));
  }
  rows_.reserve(count);
}

Arena& TreeRows::Texts() {
  if (!arena_) arena_ = std::make_unique<Arena>(0);
  return *arena_;
}

void TreeRows::Changed(int position) {
  GtkTreeIter iter = IterOf(position);
  GtkTreePathPtr path = PathOf(position);
  gtk_tree_model_row_changed(model_, path.get(), &iter);
}

void TreeRows::SetTextColour(int position, int colour, bool notify) {
  if (!Valid(position)) return;
  Row(position).textColour = colour;
  if (notify) Changed(position);
}

void TreeRows::SetBackground(int position, int colour, bool notify) {
  if (!Valid(position)) return;
  Row(position).background = colour;
  if (notify) Changed(position);
}

void TreeRows::SetImage(int position, ImagePtr image, bool notify) {
  if (!Valid(position)) return;
  Row(position).image = std::move(image);
  if (notify) Changed(position);
}

GtkTreeIter TreeRows::IterOf(int position) const {
  GtkTreeIter iter{};
  iter.stamp = stamp_;
  iter.user_data = GINT_TO_POINTER(position);
  return iter;
}

GtkTreePathPtr TreeRows::PathOf(int position) const {
  if (!Valid(position)) return nullptr;
  std::vector<gint> indices;
  for (int row = position; row >= 0; row = Row(row).parent) {
    indices.push_back(Row(row).indexInParent);
  }
  // Made in one piece: appending index by index copies the path each time,
  // which costs the square of the depth.
  std::reverse(indices.begin(), indices.end());
  return GtkTreePathPtr(gtk_tree_path_new_from_indicesv(indices.data(), indices.size()));
}

int TreeRows::PositionOf(const GtkTreeIter* iter) const {
  if (!iter || iter->stamp != stamp_) return -1;
  const int position = GPOINTER_TO_INT(iter->user_data);
  return Valid(position) ? position : -1;
}

int TreeRows::PositionOf(GtkTreePath* path) const {
  gint depth = 0;
  const gint* indices = path ? gtk_tree_path_get_indices_with_depth(path, &depth) : nullptr;
  int row = -1;
  for (gint level = 0; level < depth; ++level) {
    row = NthChild(row, indices[level]);
    if (row < 0) return -1;
  }
  return depth > 0 ? row : -1;
}

void TreeRows::Value(int position, int column, GValue* value) const {
  g_value_init(value, ColumnType(model_, column));
  if (!Valid(position)) return;
  const RowData& row = Row(position);
  switch (column) {
    case kTextColumn:
      g_value_set_string(value, row.text.data());
      break;
    case kImageColumn:
      g_value_set_pointer(value, const_cast<ScaledImage*>(row.image.get()));
      break;
    case kTextColourColumn:
    case kBackgroundColumn: {
      const int colour = column == kTextColourColumn ? row.textColour : row.background;
      if (colour >= 0) {
        const GdkRGBA rgba = ToRgba(colour);
        g_value_set_boxed(value, &rgba);
      }
      break;
    }
    default:
      g_value_set_int(value, position);
      break;
  }
}

int TreeRows::ChildCount(int parent) const {
  if (parent >= 0 && !Valid(parent)) return 0;
  return static_cast<int>(ChildrenOf(parent).size());
}

int TreeRows::NthChild(int parent, int n) const {
  if (parent >= 0 && !Valid(parent)) return -1;
  const std::vector<int>& children = ChildrenOf(parent);
  if (n < 0 || static_cast<std::size_t>(n) >= children.size()) return -1;
  return children[static_cast<std::size_t>(n)];
}

int TreeRows::NextSibling(int position, int step) const {
  if (!Valid(position)) return -1;
  return NthChild(Row(position).parent, Row(position).indexInParent + step);
}

}  // namespace toolkit

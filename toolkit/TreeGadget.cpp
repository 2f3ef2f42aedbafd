// Tree of text items with optional image and colours per item.
#include "toolkit/TreeGadget.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "toolkit/core/Colour.h"

namespace toolkit {
namespace {

// How many of the longest rows are measured to fit the column.
constexpr std::size_t kMeasuredRows = 24;
constexpr int kMinimumColumnWidth = 50;

}  // namespace

class TreeGadget::Detached {
 public:
  explicit Detached(TreeGadget& tree) : tree_(tree), quiet_(tree) {
    gtk_tree_view_set_model(tree_.View(), nullptr);
  }
  Detached(const Detached&) = delete;
  Detached& operator=(const Detached&) = delete;
  ~Detached() { gtk_tree_view_set_model(tree_.View(), tree_.Model()); }

 private:
  TreeGadget& tree_;
  Quiet quiet_;
};

TreeGadget::TreeGadget(int id, int window, EventSink& sink)
    : Gadget(id, GadgetKind::Tree, window, sink) {
  model_ = NewTreeRowModel();
  rows_ = &RowsOf(model_.get());
  GtkWidget* view = gtk_tree_view_new_with_model(model_.get());
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(view), FALSE);

  column_ = gtk_tree_view_column_new();
  GtkCellRenderer* image = gtk_cell_renderer_pixbuf_new();
  gtk_tree_view_column_pack_start(column_, image, FALSE);
  RenderScaledImages(GTK_CELL_LAYOUT(column_), image, kImageColumn, view);
  gtk_tree_view_column_add_attribute(column_, image, "cell-background-rgba", kBackgroundColumn);
  textRenderer_ = gtk_cell_renderer_text_new();
  gtk_tree_view_column_pack_start(column_, textRenderer_, TRUE);
  gtk_tree_view_column_add_attribute(column_, textRenderer_, "text", kTextColumn);
  gtk_tree_view_column_add_attribute(column_, textRenderer_, "foreground-rgba", kTextColourColumn);
  gtk_tree_view_column_add_attribute(column_, textRenderer_, "cell-background-rgba",
                                     kBackgroundColumn);
  // Fixed-height mode needs fixed-width columns; the one column fills the
  // view and is widened to the widest row by each bulk fill.
  gtk_tree_view_column_set_sizing(column_, GTK_TREE_VIEW_COLUMN_FIXED);
  gtk_tree_view_column_set_fixed_width(column_, kMinimumColumnWidth);
  gtk_tree_view_column_set_expand(column_, TRUE);
  gtk_tree_view_append_column(GTK_TREE_VIEW(view), column_);
  gtk_tree_view_set_fixed_height_mode(GTK_TREE_VIEW(view), TRUE);

  Attach(view, NewScrolledFrame(view));

  ConnectSignal(
      gtk_tree_view_get_selection(GTK_TREE_VIEW(view)), "changed",
      +[](GtkTreeSelection*, TreeGadget* self) { self->QueueEvent(event_type::kChange); }, this);
  ConnectSignal(
      view, "button-press-event",
      +[](GtkWidget*, GdkEventButton* event, TreeGadget* self) -> gboolean {
        if (event->button != GDK_BUTTON_PRIMARY) return FALSE;
        if (event->type == GDK_2BUTTON_PRESS) {
          self->QueueEvent(event_type::kLeftDoubleClick);
        } else if (event->type == GDK_BUTTON_PRESS) {
          self->pressed_ = true;
          self->dragStarted_ = false;
          self->pressX_ = event->x;
          self->pressY_ = event->y;
        }
        return FALSE;
      },
      this);
  ConnectSignal(
      view, "motion-notify-event",
      +[](GtkWidget* widget, GdkEventMotion* event, TreeGadget* self) -> gboolean {
        if (!self->pressed_ || self->dragStarted_ || (event->state & GDK_BUTTON1_MASK) == 0) {
          return FALSE;
        }
        if (gtk_drag_check_threshold(widget, static_cast<gint>(self->pressX_),
                                     static_cast<gint>(self->pressY_), static_cast<gint>(event->x),
                                     static_cast<gint>(event->y))) {
          self->dragStarted_ = true;
          self->QueueEvent(event_type::kDragStart);
        }
        return FALSE;
      },
      this);
  ConnectSignal(
      view, "button-release-event",
      +[](GtkWidget*, GdkEventButton* event, TreeGadget* self) -> gboolean {
        if (event->button != GDK_BUTTON_PRIMARY) return FALSE;
        const bool click = self->pressed_ && !self->dragStarted_;
        self->pressed_ = false;
        if (click) self->QueueEvent(event_type::kLeftClick);
        return FALSE;
      },
      this);
}

void TreeGadget::ExpandAncestors(GtkTreePath* path) {
  if (gtk_tree_path_get_depth(path) <= 1) return;
  GtkTreePathPtr parent(gtk_tree_path_copy(path));
  gtk_tree_path_up(parent.get());
  gtk_tree_view_expand_to_path(View(), parent.get());
}

void TreeGadget::SetState(int state) {
  Quiet quiet(*this);
  GtkTreeSelection* selection = gtk_tree_view_get_selection(View());
  GtkTreePathPtr path = PathOf(state);
  if (!path) {
    gtk_tree_selection_unselect_all(selection);
    return;
  }
  ExpandAncestors(path.get());
  // The cursor moves with the selection, so the arrow keys go on from the
  // row selected here and not from the one the user last clicked.
  gtk_tree_view_set_cursor(View(), path.get(), nullptr, FALSE);
  gtk_tree_selection_select_path(selection, path.get());
  if (gtk_widget_get_realized(Widget())) {
    gtk_tree_view_scroll_to_cell(View(), path.get(), nullptr, FALSE, 0, 0);
  }
}

int TreeGadget::State() const {
  GtkTreeModel* model = nullptr;
  GtkTreeIter iter;
  if (!gtk_tree_selection_get_selected(gtk_tree_view_get_selection(View()), &model, &iter)) {
    return -1;
  }
  int position = -1;
  gtk_tree_model_get(model, &iter, kPositionColumn, &position, -1);
  return position;
}

void TreeGadget::AddItem(int, const std::string& text, const ImagePtr& image, int subLevel) {
  Quiet quiet(*this);
  Append(Row{text, image, subLevel, -1, -1}, true);
}

void TreeGadget::Append(const Row& row, bool notify) {
  const int position = rows_->Append(row.text, row.image, row.level, notify);
  if (row.textColour >= 0) rows_->SetTextColour(position, row.textColour, notify);
  if (row.background >= 0) rows_->SetBackground(position, row.background, notify);
}

void TreeGadget::AppendRows(std::span<const Row> rows) {
  {
    Detached detached(*this);
    std::size_t textBytes = 0;
    for (const Row& row : rows) textBytes += row.text.size() + 1;
    rows_->Reserve(static_cast<std::size_t>(rows_->Count()) + rows.size(), textBytes);
    for (const Row& row : rows) Append(row, false);
  }
  FitColumnWidth(rows);
}

// Measures only the rows likely to be widest (long text, deep level): the
// column need not fit to the pixel, and measuring 30,000 rows would cost
// more than filling them.
void TreeGadget::FitColumnWidth(std::span<const Row> rows) {
  gint expanderSize = 16;
  gint separator = 4;
  gtk_widget_style_get(Widget(), "expander-size", &expanderSize, "horizontal-separator", &separator,
                       nullptr);
  const int indent = expanderSize + separator;
  const auto weight = [](const Row& row) {
    const std::size_t length = row.text.size();
    return (row.bold ? length + length / 8 : length) + 4 * row.level;
  };
  std::vector<const Row*> widest;
  widest.reserve(rows.size());
  for (const Row& row : rows) widest.push_back(&row);
  const std::size_t measured = std::min(kMeasuredRows, widest.size());
  std::partial_sort(widest.begin(), widest.begin() + static_cast<std::ptrdiff_t>(measured),
                    widest.end(),
                    [&](const Row* a, const Row* b) { return weight(*a) > weight(*b); });
  int width = kMinimumColumnWidth;
  GObjectPtr<PangoLayout> layout =
      GObjectPtr<PangoLayout>::Adopt(gtk_widget_create_pango_layout(Widget(), nullptr));
  const PangoAttrListPtr bold(pango_attr_list_new());
  pango_attr_list_insert(bold.get(), pango_attr_weight_new(PANGO_WEIGHT_BOLD));
  for (std::size_t i = 0; i < measured; ++i) {
    const Row& row = *widest[i];
    pango_layout_set_attributes(layout.get(), row.bold ? bold.get() : nullptr);
    pango_layout_set_text(layout.get(), row.text.data(), static_cast<int>(row.text.size()));
    int textWidth = 0;
    pango_layout_get_pixel_size(layout.get(), &textWidth, nullptr);
    const int image = row.image ? row.image->Width() + separator : 0;
    width = std::max(width, (row.level + 1) * indent + image + textWidth + 2 * separator);
  }
  gtk_tree_view_column_set_fixed_width(column_, width);
}

void TreeGadget::ClearItems() {
  Quiet quiet(*this);
  rows_->Clear();
}

int TreeGadget::CountItems() const {
  return rows_->Count();
}

std::string TreeGadget::ItemText(int position) const {
  return rows_->Valid(position) ? std::string(rows_->Text(position)) : std::string();
}

void TreeGadget::SetItemState(int position, int state) {
  GtkTreePathPtr path = PathOf(position);
  if (!path) return;
  Quiet quiet(*this);
  if (state & item_state::kExpanded) {
    // The toolkit only expands rows that are shown, so open the ancestors first.
    ExpandAncestors(path.get());
    gtk_tree_view_expand_row(View(), path.get(), FALSE);
  }
  if (state & item_state::kCollapsed) gtk_tree_view_collapse_row(View(), path.get());
  if (state & item_state::kSelected) SetState(position);
}

int TreeGadget::ItemState(int position) const {
  GtkTreePathPtr path = PathOf(position);
  if (!path) return 0;
  int state = gtk_tree_view_row_expanded(View(), path.get()) ? item_state::kExpanded
                                                             : item_state::kCollapsed;
  if (gtk_tree_selection_path_is_selected(gtk_tree_view_get_selection(View()), path.get())) {
    state |= item_state::kSelected;
  }
  return state;
}

void TreeGadget::SetItemColour(int position, ColourAttribute attribute, int colour) {
  if (attribute == ColourAttribute::Text) {
    rows_->SetTextColour(position, colour < 0 ? -1 : colour, true);
  } else {
    rows_->SetBackground(position, colour < 0 ? -1 : colour, true);
  }
}

void TreeGadget::SetItemImage(int position, const ImagePtr& image) {
  rows_->SetImage(position, image, true);
}

int TreeGadget::ItemLevel(int position) const {
  return rows_->Valid(position) ? rows_->Level(position) : -1;
}

void TreeGadget::ExpandAll() {
  Quiet quiet(*this);
  // Row by row in display order, so each parent is open before its children:
  // the toolkit's own expand-all recurses once per level and builds every
  // row's path anew, which a deep tree cannot afford.
  for (int position = 0; position < rows_->Count(); ++position) {
    if (rows_->ChildCount(position) == 0) continue;
    GtkTreePathPtr path = rows_->PathOf(position);
    gtk_tree_view_expand_row(View(), path.get(), FALSE);
  }
}

void TreeGadget::CollapseAll() {
  Quiet quiet(*this);
  gtk_tree_view_collapse_all(View());
}

int TreeGadget::PositionOfPath(const char* pathString) const {
  if (!pathString) return -1;
  GtkTreePathPtr path(gtk_tree_path_new_from_string(pathString));
  return rows_->PositionOf(path.get());
}

}  // namespace toolkit

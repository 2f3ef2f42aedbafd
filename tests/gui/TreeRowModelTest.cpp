// The index tree's own model answers the tree-model questions exactly as the
// toolkit's tree store does for the same rows, also while a view shows it.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "toolkit/GLibHandles.h"
#include "toolkit/TreeRowModel.h"

namespace {

using toolkit::TreeRows;

// Levels of a tree with several roots, deep steps down and jumps back up;
// the 3 after the 1 is deeper than one below the last row and hangs under it.
const std::vector<int> kLevels = {0, 1, 2, 2, 1, 2, 3, 3, 1, 0, 1, 3, 0};

// Every row in walk order: its path, text, number of children, parent's path
// and previous sibling's path.
std::vector<std::string> Describe(GtkTreeModel* model) {
  std::vector<std::string> lines;
  gtk_tree_model_foreach(
      model,
      +[](GtkTreeModel* m, GtkTreePath* path, GtkTreeIter* iter, gpointer data) -> gboolean {
        auto* out = static_cast<std::vector<std::string>*>(data);
        toolkit::GCharPtr pathText(gtk_tree_path_to_string(path));
        gchar* text = nullptr;
        gtk_tree_model_get(m, iter, 0, &text, -1);
        toolkit::GCharPtr owned(text);
        std::string line = std::string(pathText.get()) + " " + text +
                           " children=" + std::to_string(gtk_tree_model_iter_n_children(m, iter));
        GtkTreeIter parent;
        if (gtk_tree_model_iter_parent(m, &parent, iter)) {
          toolkit::GtkTreePathPtr parentPath(gtk_tree_model_get_path(m, &parent));
          toolkit::GCharPtr parentText(gtk_tree_path_to_string(parentPath.get()));
          line += " parent=" + std::string(parentText.get());
        }
        GtkTreeIter previous = *iter;
        if (gtk_tree_model_iter_previous(m, &previous)) {
          toolkit::GtkTreePathPtr previousPath(gtk_tree_model_get_path(m, &previous));
          toolkit::GCharPtr previousText(gtk_tree_path_to_string(previousPath.get()));
          line += " previous=" + std::string(previousText.get());
        }
        GtkTreeIter again;
        if (!gtk_tree_model_get_iter(m, &again, path)) line += " path-lookup-failed";
        out->push_back(line);
        return FALSE;
      },
      &lines);
  lines.push_back("top=" + std::to_string(gtk_tree_model_iter_n_children(model, nullptr)));
  return lines;
}

std::vector<std::string> StoreDescription() {
  auto store = toolkit::GObjectPtr<GtkTreeStore>::Adopt(gtk_tree_store_new(1, G_TYPE_STRING));
  std::vector<GtkTreeIter> lastAtLevel;
  for (std::size_t i = 0; i < kLevels.size(); ++i) {
    const std::size_t level = std::min<std::size_t>(kLevels[i], lastAtLevel.size());
    lastAtLevel.resize(level + 1);
    gtk_tree_store_insert_with_values(store.get(), &lastAtLevel[level],
                                      level ? &lastAtLevel[level - 1] : nullptr, -1, 0,
                                      ("row" + std::to_string(i)).c_str(), -1);
  }
  return Describe(GTK_TREE_MODEL(store.get()));
}

void Fill(TreeRows& rows, bool notify) {
  for (std::size_t i = 0; i < kLevels.size(); ++i) {
    rows.Append("row" + std::to_string(i), nullptr, kLevels[i], notify);
  }
}

TEST(TreeRowModel, AnswersLikeTheToolkitsTreeStore) {
  toolkit::GObjectPtr<GtkTreeModel> model = toolkit::NewTreeRowModel();
  TreeRows& rows = toolkit::RowsOf(model.get());
  Fill(rows, false);
  EXPECT_EQ(Describe(model.get()), StoreDescription());
  for (int position = 0; position < rows.Count(); ++position) {
    toolkit::GtkTreePathPtr path = rows.PathOf(position);
    EXPECT_EQ(rows.PositionOf(path.get()), position);
  }
  // Cleared and filled again, it is the same tree, and old iterators are refused.
  const GtkTreeIter old = rows.IterOf(3);
  rows.Clear();
  EXPECT_EQ(rows.Count(), 0);
  Fill(rows, false);
  EXPECT_EQ(rows.PositionOf(&old), -1);
  EXPECT_EQ(Describe(model.get()), StoreDescription());
}

TEST(TreeRowModel, AViewFollowsRowsAddedAndRemovedWhileItShowsThem) {
  toolkit::GObjectPtr<GtkTreeModel> model = toolkit::NewTreeRowModel();
  TreeRows& rows = toolkit::RowsOf(model.get());
  GtkWidget* view = gtk_tree_view_new_with_model(model.get());
  g_object_ref_sink(view);
  Fill(rows, true);
  gtk_tree_view_expand_all(GTK_TREE_VIEW(view));
  toolkit::GtkTreePathPtr deepest = rows.PathOf(7);
  EXPECT_TRUE(gtk_tree_view_row_expanded(GTK_TREE_VIEW(view), rows.PathOf(5).get()));
  rows.SetBackground(7, 0x00ff00, true);
  rows.Clear();
  EXPECT_EQ(gtk_tree_model_iter_n_children(model.get(), nullptr), 0);
  Fill(rows, true);
  EXPECT_FALSE(gtk_tree_view_row_expanded(GTK_TREE_VIEW(view), rows.PathOf(5).get()))
      << "new rows start collapsed";
  gtk_widget_destroy(view);
  g_object_unref(view);
}

}  // namespace

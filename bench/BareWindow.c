// The floor of the viewer's start-up: a bare GTK 3 window with what the
// viewer's first frame shows at least, an expanded tree of rows beside a
// text view holding a text, and nothing else. Timed by the same probe.
#include <gtk/gtk.h>

int main(int argc, char** argv) {
  g_setenv("GDK_GL", "disable", FALSE);
  if (!gtk_init_check(&argc, &argv)) return 1;
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_default_size(GTK_WINDOW(window), 800, 600);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);

  GtkTreeStore* store = gtk_tree_store_new(1, G_TYPE_STRING);
  GtkTreeIter root;
  gtk_tree_store_insert_with_values(store, &root, NULL, -1, 0, "Library", -1);
  for (int category = 0; category < 5; ++category) {
    GtkTreeIter parent;
    gtk_tree_store_insert_with_values(store, &parent, &root, -1, 0, "Category", -1);
    for (int entry = 0; entry < 6; ++entry) {
      gtk_tree_store_insert_with_values(store, NULL, &parent, -1, 0, "Entry", -1);
    }
  }
  GtkWidget* tree = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(tree), -1, NULL,
                                              gtk_cell_renderer_text_new(), "text", 0, NULL);
  gtk_tree_view_expand_all(GTK_TREE_VIEW(tree));

  GtkWidget* text = gtk_text_view_new();
  gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(text)),
                           "A library of annotated code examples", -1);

  GtkWidget* paned = gtk_paned_new(GTK_ORIENTATION_HORIZONTAL);
  GtkWidget* left = gtk_scrolled_window_new(NULL, NULL);
  GtkWidget* right = gtk_scrolled_window_new(NULL, NULL);
  gtk_container_add(GTK_CONTAINER(left), tree);
  gtk_container_add(GTK_CONTAINER(right), text);
  gtk_paned_pack1(GTK_PANED(paned), left, TRUE, FALSE);
  gtk_paned_pack2(GTK_PANED(paned), right, TRUE, FALSE);
  gtk_container_add(GTK_CONTAINER(window), paned);
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}

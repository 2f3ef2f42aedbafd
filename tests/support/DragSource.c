// A window with a label that end-to-end tests drag from: it offers the bytes
// of the file named on its command line as a URI list, read anew for every
// drop, and notes every delivery in that file's name + ".delivered".
#include <gtk/gtk.h>
#include <stdio.h>

static const char* payload;

static void OnDataGet(G_GNUC_UNUSED GtkWidget* widget, G_GNUC_UNUSED GdkDragContext* context,
                      GtkSelectionData* selection, G_GNUC_UNUSED guint info,
                      G_GNUC_UNUSED guint time, G_GNUC_UNUSED gpointer data) {
  gchar* bytes = NULL;
  gsize length = 0;
  if (!g_file_get_contents(payload, &bytes, &length, NULL)) return;
  gtk_selection_data_set(selection, gdk_atom_intern_static_string("text/uri-list"), 8,
                         (const guchar*)bytes, (gint)length);
  g_free(bytes);
  gchar* log = g_strconcat(payload, ".delivered", NULL);
  FILE* file = fopen(log, "a");
  if (file) {
    fputs("delivered\n", file);
    fclose(file);
  }
  g_free(log);
}

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  if (argc < 2) return 2;
  payload = argv[1];
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "Hostile drag source");
  gtk_window_set_default_size(GTK_WINDOW(window), 160, 120);
  GtkWidget* box = gtk_event_box_new();
  gtk_container_add(GTK_CONTAINER(box), gtk_label_new("drag me"));
  gtk_container_add(GTK_CONTAINER(window), box);
  static GtkTargetEntry targets[] = {{"text/uri-list", 0, 0}};
  gtk_drag_source_set(box, GDK_BUTTON1_MASK, targets, 1, GDK_ACTION_COPY);
  g_signal_connect(box, "drag-data-get", G_CALLBACK(OnDataGet), NULL);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}

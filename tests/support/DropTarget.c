// A window that end-to-end tests drop onto: it accepts URI lists with the
// copy or the move action and writes the bytes of each drop, exactly as they
// arrived, to the file named on its command line. The file is written aside
// and renamed into place, so a test that polls it never reads half a drop.
// Every drop replaces what the one before wrote.
#include <gtk/gtk.h>
#include <stdio.h>

static const char* output;

static void WriteDrop(const guchar* bytes, gint length) {
  gchar* part = g_strconcat(output, ".part", NULL);
  FILE* file = fopen(part, "wb");
  if (file) {
    const size_t size = length > 0 ? (size_t)length : 0;
    const gboolean written = fwrite(bytes, 1, size, file) == size;
    if (fclose(file) == 0 && written) rename(part, output);
  }
  g_free(part);
}

static void OnDataReceived(G_GNUC_UNUSED GtkWidget* widget, G_GNUC_UNUSED GdkDragContext* context,
                           G_GNUC_UNUSED gint x, G_GNUC_UNUSED gint y, GtkSelectionData* selection,
                           G_GNUC_UNUSED guint info, G_GNUC_UNUSED guint time,
                           G_GNUC_UNUSED gpointer data) {
  // A negative length means the source sent nothing; an empty drop is still
  // recorded, as an empty file, so a test can tell it from no drop at all.
  const gint length = gtk_selection_data_get_length(selection);
  WriteDrop(gtk_selection_data_get_data(selection), length < 0 ? 0 : length);
}

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  if (argc < 2) return 2;
  output = argv[1];
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "Journey drop target");
  gtk_window_set_default_size(GTK_WINDOW(window), 240, 240);
  gtk_container_add(GTK_CONTAINER(window), gtk_label_new("drop here"));
  static GtkTargetEntry targets[] = {{"text/uri-list", 0, 0}};
  // The default handling asks for the data on a drop and finishes the drag
  // once it has arrived.
  gtk_drag_dest_set(window, GTK_DEST_DEFAULT_ALL, targets, 1, GDK_ACTION_COPY | GDK_ACTION_MOVE);
  g_signal_connect(window, "drag-data-received", G_CALLBACK(OnDataReceived), NULL);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}

// Preloaded into the viewer by the start-up benchmark. After every frame the
// toolkit draws, it looks at what the main window shows. The first frame
// with the index filled and the description shown is the end of start-up;
// the probe then moves the index cursor to an entry, as the arrow keys do,
// and waits for the first frame that shows its code. The entry is the row
// numbered ORVEX_PROBE_ENTRY_ROW (counting every row from the top of the
// expanded index, from 0), or else the first row without children. It writes
//   first_frame_ms=T1 first_code_ms=T2 peak_rss_mb=M page_faults=F
// to the file named by ORVEX_PROBE_OUTPUT. T1 counts from the moment in
// ORVEX_PROBE_START_NS (CLOCK_MONOTONIC nanoseconds, taken by the launcher
// just before exec), T2 from the cursor move. With ORVEX_PROBE_FRAME_ONLY
// set the probe reports at the first frame already, with T2 0. With
// ORVEX_PROBE_EXIT set the process then ends at once, so that every run is a
// fresh process. F counts the page faults (minor and major, from getrusage)
// up to the first frame.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <gtk/gtk.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

typedef struct {
  GtkTreeView* index;
  int textViewsShown;
} Shown;

// The index is the tree view with rows. At start-up only the description
// view holds text; once the code view holds text as well, the code shows.
static void Inspect(GtkWidget* widget, gpointer data) {
  Shown* shown = data;
  if (GTK_IS_TREE_VIEW(widget)) {
    GtkTreeModel* model = gtk_tree_view_get_model(GTK_TREE_VIEW(widget));
    if (model && gtk_tree_model_iter_n_children(model, NULL) > 0) {
      shown->index = GTK_TREE_VIEW(widget);
    }
  } else if (GTK_IS_TEXT_VIEW(widget)) {
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(widget));
    if (gtk_text_buffer_get_char_count(buffer) > 0) ++shown->textViewsShown;
  }
  if (GTK_IS_CONTAINER(widget)) gtk_container_forall(GTK_CONTAINER(widget), Inspect, data);
}

static double PeakRssMb(void) {
  FILE* status = fopen("/proc/self/status", "r");
  if (!status) return 0;
  char line[256];
  long kilobytes = 0;
  while (fgets(line, sizeof line, status)) {
    if (strncmp(line, "VmHWM:", 6) == 0) kilobytes = strtol(line + 6, NULL, 10);
  }
  fclose(status);
  return (double)kilobytes / 1024.0;
}

static long PageFaults(void) {
  struct rusage usage;
  if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
  return usage.ru_minflt + usage.ru_majflt;
}

static double NowNs(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec * 1e9 + (double)now.tv_nsec;
}

// The row after this one in the order the expanded index shows them.
static gboolean NextRow(GtkTreeModel* model, GtkTreeIter* row) {
  GtkTreeIter next;
  if (gtk_tree_model_iter_children(model, &next, row)) {
    *row = next;
    return TRUE;
  }
  for (;;) {
    next = *row;
    if (gtk_tree_model_iter_next(model, &next)) {
      *row = next;
      return TRUE;
    }
    GtkTreeIter parent;
    if (!gtk_tree_model_iter_parent(model, &parent, row)) return FALSE;
    *row = parent;
  }
}

static void SelectEntry(GtkTreeView* index) {
  GtkTreeModel* model = gtk_tree_view_get_model(index);
  GtkTreeIter row;
  if (!gtk_tree_model_get_iter_first(model, &row)) return;
  const char* wanted = getenv("ORVEX_PROBE_ENTRY_ROW");
  if (wanted) {
    for (long number = strtol(wanted, NULL, 10); number > 0; --number) {
      if (!NextRow(model, &row)) return;
    }
  } else {
    GtkTreeIter child;
    while (gtk_tree_model_iter_children(model, &child, &row)) row = child;
  }
  GtkTreePath* path = gtk_tree_model_get_path(model, &row);
  gtk_tree_view_set_cursor(index, path, NULL, FALSE);
  gtk_tree_path_free(path);
}

static void Report(double startUpMs, double codeMs, long faults) {
  const char* path = getenv("ORVEX_PROBE_OUTPUT");
  FILE* output = path ? fopen(path, "w") : NULL;
  if (output) {
    fprintf(output, "first_frame_ms=%.1f first_code_ms=%.1f peak_rss_mb=%.1f page_faults=%ld\n",
            startUpMs, codeMs, PeakRssMb(), faults);
    fclose(output);
  }
  if (getenv("ORVEX_PROBE_EXIT")) _exit(0);
}

void gdk_window_end_draw_frame(GdkWindow* window, GdkDrawingContext* context) {
  static void (*real)(GdkWindow*, GdkDrawingContext*);
  // 0: waiting for start-up, 1: waiting for the code, 2: done.
  static int stage;
  static double startUpMs;
  static double selectedNs;
  static long faults;
  if (!real) real = (void (*)(GdkWindow*, GdkDrawingContext*))dlsym(RTLD_NEXT, __func__);
  real(window, context);
  if (stage == 2) return;
  gpointer owner = NULL;
  gdk_window_get_user_data(gdk_window_get_toplevel(window), &owner);
  if (!GTK_IS_WINDOW(owner)) return;
  Shown shown = {NULL, 0};
  Inspect(GTK_WIDGET(owner), &shown);
  if (stage == 0 && shown.index && shown.textViewsShown > 0) {
    const char* startText = getenv("ORVEX_PROBE_START_NS");
    startUpMs = (NowNs() - (startText ? strtod(startText, NULL) : 0)) / 1e6;
    faults = PageFaults();
    if (getenv("ORVEX_PROBE_FRAME_ONLY")) {
      stage = 2;
      Report(startUpMs, 0, faults);
      return;
    }
    stage = 1;
    selectedNs = NowNs();
    SelectEntry(shown.index);
  } else if (stage == 1 && shown.textViewsShown > 1) {
    stage = 2;
    Report(startUpMs, (NowNs() - selectedNs) / 1e6, faults);
  }
}

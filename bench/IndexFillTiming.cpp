// Times, in a fresh process with a display, what start-up does with the
// database: parse it, build the rows and entries, fill the tree, expand and
// count; then the fully expanded tree's first draw. For comparison it fills
// a plain tree store with the same rows and no view (the floor of the fill).
// Prints one line of key=value figures.
#include <expat.h>
#include <gtk/gtk.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/Ids.h"
#include "bench/ShownMainWindow.h"
#include "library/IndexTree.h"
#include "library/core/XmlParsing.h"
#include "toolkit/PendingEvents.h"
#include "toolkit/TreeGadget.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A plain store with one text column filled with the entries' titles at
// their levels, as the cheapest tree the toolkit can hold.
double PlainStoreFill(const app::AppState& app, const toolkit::TreeGadget& tree) {
  const Clock::time_point start = Clock::now();
  GtkTreeStore* store = gtk_tree_store_new(1, G_TYPE_STRING);
  std::vector<GtkTreeIter> lastAtLevel;
  for (int i = 0; i < tree.CountItems(); ++i) {
    const auto level = static_cast<std::size_t>(tree.ItemLevel(i));
    lastAtLevel.resize(level + 1);
    GtkTreeIter* parent = level > 0 ? &lastAtLevel[level - 1] : nullptr;
    gtk_tree_store_insert_with_values(
        store, &lastAtLevel[level], parent, -1, 0,
        // The document keeps its strings NUL-terminated.
        app.database.entries[static_cast<std::size_t>(i)].theme_de.data(), -1);
  }
  const double elapsed = MillisecondsSince(start);
  g_object_unref(store);
  return elapsed;
}

// Expat alone with empty handlers over the file in the same chunks: the
// floor of any parse, timed in a fresh process like the real one.
int ExpatOnly(const char* path) {
  const Clock::time_point start = Clock::now();
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return 1;
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetElementHandler(
      parser, [](void*, const XML_Char*, const XML_Char**) {}, [](void*, const XML_Char*) {});
  XML_SetCharacterDataHandler(parser, [](void*, const XML_Char*, int) {});
  std::vector<char> buffer(16384);
  std::size_t size = 0;
  while ((size = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
    XML_Parse(parser, buffer.data(), static_cast<int>(size), XML_FALSE);
  }
  XML_Parse(parser, "", 0, XML_TRUE);
  XML_ParserFree(parser);
  std::fclose(file);
  std::printf("expat_only_ms=%.1f\n", MillisecondsSince(start));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--expat-only") return ExpatOnly(argv[2]);
  // As the viewer does at start: no OpenGL probe.
  g_setenv("GDK_GL", "disable", FALSE);
  if (argc != 2 || !gtk_init_check(&argc, &argv)) {
    std::fputs("usage: index-fill-timing [--expat-only] DATABASE (with a display)\n", stderr);
    return 2;
  }
  std::unique_ptr<app::AppState> app = bench::ShownMainWindow();
  if (!app) return 1;
  GtkWidget* view = app->ui.GadgetWidget(app::gadget_id::kIndexTree);

  const Clock::time_point start = Clock::now();
  library::LoadXmlFile(argv[1], app->database.document);
  const double parsed = MillisecondsSince(start);
  library::FillIndexTree(*app);
  library::ExpandAllAndCount(*app);
  const double filled = MillisecondsSince(start);

  const Clock::time_point drawStart = Clock::now();
  bench::WaitForDraw(view);
  const double draw = MillisecondsSince(drawStart);

  auto* tree = app->ui.Find<toolkit::TreeGadget>(app::gadget_id::kIndexTree);
  const double floor = PlainStoreFill(*app, *tree);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf(
      "rows=%d parse_ms=%.1f parse_fill_ms=%.1f first_draw_ms=%.1f plain_store_ms=%.1f "
      "maxrss_mb=%.1f\n",
      tree->CountItems(), parsed, filled, draw, floor,
      static_cast<double>(usage.ru_maxrss) / 1024.0);
  app->ui.ReleaseAll();
  return 0;
}

// Times, in a fresh process with a display, a code file going from disk to
// a fully coloured code view in the shown main window. Beside it, as peers
// and floors: a GtkSourceView 4 view colouring the same file with a small
// language definition, the plain set-text of the decoded file, and the same
// tags applied to a buffer that no view shows.
// Prints one line of key=value figures.
#include <gtk/gtk.h>
#include <gtksourceview/gtksource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/Ids.h"
#include "bench/ShownMainWindow.h"
#include "codeview/CodeFileLoading.h"
#include "codeview/HighlightCode.h"
#include "codeview/core/CodeFileText.h"
#include "codeview/core/HighlightRanges.h"
#include "toolkit/GLibHandles.h"
#include "toolkit/PendingEvents.h"
#include "toolkit/TextAreaGadget.h"
#include "toolkit/core/WholeFile.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Counts the tag toggles of the buffer: twice the number of tagged runs.
long CountTagToggles(GtkTextBuffer* buffer) {
  long toggles = 0;
  GtkTextIter iter;
  gtk_text_buffer_get_start_iter(buffer, &iter);
  while (gtk_text_iter_forward_to_tag_toggle(&iter, nullptr)) ++toggles;
  return toggles;
}

// Runs the main loop while the condition holds and returns the longest
// iteration, in milliseconds.
template <typename Condition>
double LongestIterationWhile(Condition condition) {
  double longest = 0;
  while (condition()) {
    const Clock::time_point start = Clock::now();
    gtk_main_iteration_do(FALSE);
    longest = std::max(longest, MillisecondsSince(start));
  }
  return longest;
}

// The text a code file shows, read and decoded; nothing when it cannot be read.
std::optional<std::string> DecodedText(const std::string& path) {
  const std::optional<std::string> bytes = toolkit::ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return codeview::DecodeCodeFile(*bytes).text;
}

// Shows a text view in a window of its own and waits until it is on screen.
GtkWidget* ShowInWindow(GtkWidget* view) {
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_container_add(GTK_CONTAINER(scrolled), view);
  gtk_container_add(GTK_CONTAINER(window), scrolled);
  gtk_window_set_default_size(GTK_WINDOW(window), 800, 600);
  gtk_widget_show_all(window);
  while (!gtk_widget_get_mapped(view)) gtk_main_iteration();
  toolkit::ProcessPendingEvents();
  return window;
}

// The viewer's own path: the main window shown, then the file loaded with
// colouring as a click on its entry does.
int TimeViewer(const std::string& path) {
  std::unique_ptr<app::AppState> app = bench::ShownMainWindow();
  if (!app) return 1;
  // Code paths are absolute: the library path is the root folder.
  app->settings.libPath.assign(1, '/');
  app->settings.codeMarks = library::CodeMarking::BlueBold;
  GtkWidget* view = app->ui.GadgetWidget(app::gadget_id::kCodeView);

  const Clock::time_point start = Clock::now();
  if (!codeview::LoadCodeFile(*app, path, false)) return 1;
  const double loaded = MillisecondsSince(start);
  // Then the first frame, which shows the visible lines coloured, and the
  // main loop while the rest is coloured in the background.
  bench::WaitForDraw(view);
  const double shown = MillisecondsSince(start);
  auto* code = app->ui.Find<toolkit::TextAreaGadget>(app::gadget_id::kCodeView);
  const double longest = LongestIterationWhile([&] { return codeview::ColouringPending(*code); });
  std::printf(
      "viewer_load_ms=%.1f viewer_drawn_ms=%.1f viewer_coloured_ms=%.1f "
      "viewer_longest_iteration_ms=%.1f tag_toggles=%ld\n",
      loaded, shown, MillisecondsSince(start), longest, CountTagToggles(code->Buffer()));
  app->ui.ReleaseAll();
  return 0;
}

// The floor: reading, decoding and setting the text of a shown view, no tags.
int TimeSetText(const std::string& path) {
  GtkWidget* view = gtk_text_view_new();
  GtkWidget* window = ShowInWindow(view);

  const Clock::time_point start = Clock::now();
  const std::optional<std::string> text = DecodedText(path);
  if (!text) return 1;
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
  gtk_text_buffer_set_text(buffer, text->c_str(), static_cast<gint>(text->size()));
  std::printf("set_text_ms=%.1f\n", MillisecondsSince(start));
  gtk_widget_destroy(window);
  return 0;
}

// The floor of the colouring: the same ranges applied to a buffer that no
// view shows, so that no line is laid out again.
int TimeTagsWithoutView(const std::string& path) {
  const Clock::time_point start = Clock::now();
  const std::optional<std::string> text = DecodedText(path);
  if (!text) return 1;
  GtkTextBuffer* buffer = gtk_text_buffer_new(nullptr);
  gtk_text_buffer_set_text(buffer, text->c_str(), static_cast<gint>(text->size()));
  const codeview::HighlightRanges found =
      codeview::ScanHighlightRanges(*text, library::CodeMarking::BlueBold);
  const codeview::LineIndex lines(*text);
  long applied = 0;
  for (std::size_t tag = 0; tag < codeview::kTagCount; ++tag) {
    GtkTextTag* textTag =
        gtk_text_buffer_create_tag(buffer, codeview::kTagNames[tag], "weight", 700, nullptr);
    for (const codeview::TextRange& range : found.ranges[tag]) {
      if (range.start >= range.end) continue;
      const codeview::LineIndex::Position from = lines.Locate(range.start);
      const codeview::LineIndex::Position to = lines.Locate(range.end);
      GtkTextIter first;
      GtkTextIter last;
      gtk_text_buffer_get_iter_at_line_index(buffer, &first, from.line, from.index);
      gtk_text_buffer_get_iter_at_line_index(buffer, &last, to.line, to.index);
      gtk_text_buffer_apply_tag(buffer, textTag, &first, &last);
      ++applied;
    }
  }
  std::printf("tags_without_view_ms=%.1f applied_tags=%ld\n", MillisecondsSince(start), applied);
  g_object_unref(buffer);
  return 0;
}

// The language definition in languageFolder, from a manager kept for the
// whole process; null (with a message) when it is not found.
GtkSourceLanguage* LanguageFrom(const std::string& languageFolder) {
  static GtkSourceLanguageManager* const manager = gtk_source_language_manager_new();
  // The folder of the definition first, then the toolkit's own folders,
  // which hold the schema that every definition is checked against.
  std::vector<const gchar*> folders = {languageFolder.c_str()};
  for (const gchar* const* folder = gtk_source_language_manager_get_search_path(manager);
       folder && *folder; ++folder) {
    folders.push_back(*folder);
  }
  folders.push_back(nullptr);
  gtk_source_language_manager_set_search_path(manager, const_cast<gchar**>(folders.data()));
  GtkSourceLanguage* language = gtk_source_language_manager_get_language(manager, "orvex");
  if (!language) std::fputs("the language definition was not found\n", stderr);
  return language;
}

// The peer: a source view with the language definition in languageFolder,
// coloured over the whole buffer at once.
int TimeSourceView(const std::string& path, const std::string& languageFolder) {
  GtkSourceLanguage* language = LanguageFrom(languageFolder);
  if (!language) return 1;
  GtkSourceBuffer* buffer = gtk_source_buffer_new_with_language(language);
  GtkWidget* window = ShowInWindow(gtk_source_view_new_with_buffer(buffer));

  const Clock::time_point start = Clock::now();
  const std::optional<std::string> text = DecodedText(path);
  if (!text) return 1;
  gtk_text_buffer_set_text(GTK_TEXT_BUFFER(buffer), text->c_str(), static_cast<gint>(text->size()));
  GtkTextIter first;
  GtkTextIter last;
  gtk_text_buffer_get_bounds(GTK_TEXT_BUFFER(buffer), &first, &last);
  gtk_source_buffer_ensure_highlight(buffer, &first, &last);
  const double coloured = MillisecondsSince(start);
  std::printf("sourceview_ms=%.1f tag_toggles=%ld\n", coloured,
              CountTagToggles(GTK_TEXT_BUFFER(buffer)));
  gtk_widget_destroy(window);
  g_object_unref(buffer);
  return 0;
}

// The peer in its natural mode: the text set, the view colouring what it
// shows before its first frame and the rest in the background.
int TimeSourceViewNatural(const std::string& path, const std::string& languageFolder) {
  GtkSourceLanguage* language = LanguageFrom(languageFolder);
  if (!language) return 1;
  GtkSourceBuffer* buffer = gtk_source_buffer_new_with_language(language);
  GtkWidget* view = gtk_source_view_new_with_buffer(buffer);
  GtkWidget* window = ShowInWindow(view);

  const Clock::time_point start = Clock::now();
  const std::optional<std::string> text = DecodedText(path);
  if (!text) return 1;
  gtk_text_buffer_set_text(GTK_TEXT_BUFFER(buffer), text->c_str(), static_cast<gint>(text->size()));
  bench::WaitForDraw(view);
  const double shown = MillisecondsSince(start);
  // Its background work runs while the main loop has work pending.
  const double longest = LongestIterationWhile([] { return gtk_events_pending() != FALSE; });
  std::printf(
      "sourceview_drawn_ms=%.1f sourceview_coloured_ms=%.1f sourceview_longest_iteration_ms=%.1f "
      "tag_toggles=%ld\n",
      shown, MillisecondsSince(start), longest, CountTagToggles(GTK_TEXT_BUFFER(buffer)));
  gtk_widget_destroy(window);
  g_object_unref(buffer);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  g_setenv("GDK_GL", "disable", FALSE);
  if (argc < 3 || !gtk_init_check(&argc, &argv)) {
    std::fputs(
        "usage: code-load-timing viewer|set-text|tags-without-view|sourceview|sourceview-natural "
        "FILE "
        "[LANGUAGE-FOLDER]\n",
        stderr);
    return 2;
  }
  const std::string mode = argv[1];
  if (mode == "viewer") return TimeViewer(argv[2]);
  if (mode == "set-text") return TimeSetText(argv[2]);
  if (mode == "tags-without-view") return TimeTagsWithoutView(argv[2]);
  if (mode == "sourceview" && argc == 4) return TimeSourceView(argv[2], argv[3]);
  if (mode == "sourceview-natural" && argc == 4) return TimeSourceViewNatural(argv[2], argv[3]);
  std::fputs("unknown mode\n", stderr);
  return 2;
}

// Modal requesters for a file, a folder and a font.
#include "toolkit/Requesters.h"

#include <gtk/gtk.h>

#include <cmath>

#include "toolkit/GLibHandles.h"
#include "toolkit/PendingEvents.h"
#include "toolkit/core/FileStatus.h"
#include "toolkit/core/PatternList.h"

namespace toolkit {
namespace {

// Labels in the desktop's language, from the toolkit's own translations.
const char* Translated(const char* label) {
  return g_dgettext("gtk30", label);
}

// Runs a chooser dialog and destroys it; returns the chosen path or "".
std::string RunChooser(GtkWidget* dialog) {
  std::string chosen;
  if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
    GCharPtr path(gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog)));
    if (path) chosen = path.get();
  }
  gtk_widget_destroy(dialog);
  ProcessPendingEvents();
  return chosen;
}

std::string FolderOf(const std::string& path) {
  GCharPtr folder(g_path_get_dirname(path.c_str()));
  return folder.get();
}

}  // namespace

std::string OpenFileRequester(const std::string& title, const std::string& presetPath,
                              const std::string& patternList, int patternIndex) {
  GtkWidget* dialog = gtk_file_chooser_dialog_new(
      title.c_str(), nullptr, GTK_FILE_CHOOSER_ACTION_OPEN, Translated("_Cancel"),
      GTK_RESPONSE_CANCEL, Translated("_Open"), GTK_RESPONSE_ACCEPT, nullptr);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  int index = 0;
  for (const FileFilter& filter : ParsePatternList(patternList)) {
    GtkFileFilter* gtkFilter = gtk_file_filter_new();
    gtk_file_filter_set_name(gtkFilter, filter.label.c_str());
    for (const std::string& pattern : filter.patterns) {
      gtk_file_filter_add_pattern(gtkFilter, pattern.c_str());
    }
    gtk_file_chooser_add_filter(chooser, gtkFilter);  // takes the floating reference
    if (index++ == patternIndex) gtk_file_chooser_set_filter(chooser, gtkFilter);
  }
  if (!presetPath.empty()) {
    GCharPtr absolute(g_canonicalize_filename(presetPath.c_str(), nullptr));
    const std::string preset = absolute.get();
    if (IsDirectory(preset)) {
      gtk_file_chooser_set_current_folder(chooser, preset.c_str());
    } else if (IsRegularFile(preset)) {
      gtk_file_chooser_set_filename(chooser, preset.c_str());
    } else if (IsDirectory(FolderOf(preset))) {
      gtk_file_chooser_set_current_folder(chooser, FolderOf(preset).c_str());
    }
  }
  return RunChooser(dialog);
}

std::string PathRequester(const std::string& title, const std::string& presetPath) {
  GtkWidget* dialog = gtk_file_chooser_dialog_new(
      title.c_str(), nullptr, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, Translated("_Cancel"),
      GTK_RESPONSE_CANCEL, Translated("_Open"), GTK_RESPONSE_ACCEPT, nullptr);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
  if (!presetPath.empty()) {
    GCharPtr absolute(g_canonicalize_filename(presetPath.c_str(), nullptr));
    if (IsDirectory(absolute.get())) {
      gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(dialog), absolute.get());
    }
  }
  std::string chosen = RunChooser(dialog);
  if (!chosen.empty() && chosen.back() != '/') chosen += '/';
  return chosen;
}

FontChoice FontRequester(const std::string& name, int size) {
  GtkWidget* dialog = gtk_font_chooser_dialog_new(nullptr, nullptr);
  const std::string preset = name + " " + std::to_string(size);
  gtk_font_chooser_set_font(GTK_FONT_CHOOSER(dialog), preset.c_str());
  FontChoice choice;
  if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK) {
    PangoFontDescriptionPtr font(gtk_font_chooser_get_font_desc(GTK_FONT_CHOOSER(dialog)));
    if (font) {
      const char* family = pango_font_description_get_family(font.get());
      choice.chosen = true;
      choice.name = family ? family : "";
      choice.size = static_cast<int>(std::lround(
          static_cast<double>(pango_font_description_get_size(font.get())) / PANGO_SCALE));
    }
  }
  gtk_widget_destroy(dialog);
  ProcessPendingEvents();
  return choice;
}

}  // namespace toolkit

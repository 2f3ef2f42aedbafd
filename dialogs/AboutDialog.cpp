// The About window: the toolkit's about dialog, built anew each time.
#include "dialogs/AboutDialog.h"

#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/Ids.h"

namespace dialogs {
namespace {

constexpr const char* kAuthor = "Ilka Vennemark";
constexpr const char* kCoAuthor = "Tjorven Brask";
constexpr const char* kWebsite = "https://www.orvex-api.example/";

constexpr const char* kComments =
    "Viewer für die Orvex-API-Funktions-Sammlung.\n"
    "Viewer for the Orvex API-functions-collection.";

// The credit lists as the dialog takes them: pointers into the kept strings,
// ended by a null pointer.
std::vector<const char*> CreditList(const std::vector<std::string>& lines) {
  std::vector<const char*> list;
  list.reserve(lines.size() + 1);
  for (const std::string& line : lines) list.push_back(line.c_str());
  list.push_back(nullptr);
  return list;
}

}  // namespace

void BuildAboutCredits(app::AppState& app) {
  app.aboutAuthors = {"", kAuthor, kCoAuthor, "  (ideas, code, design, tests)"};
  app.aboutDocumenters = {"", kAuthor, kCoAuthor};
}

std::string AboutVersion() {
  return std::string(app::kProgramVersion) + " gtk" + std::to_string(gtk_get_major_version());
}

void OpenAboutWindow(app::AppState& app) {
  const toolkit::ImagePtr logo = app.ui.Image(app::IconImage(app.ui, resources::Icon::Program));
  GtkWidget* dialog = gtk_about_dialog_new();
  GtkAboutDialog* about = GTK_ABOUT_DIALOG(dialog);
  gtk_about_dialog_set_program_name(about, app::kApplicationName);
  gtk_about_dialog_set_version(about, AboutVersion().c_str());
  gtk_about_dialog_set_comments(about, kComments);
  std::string copyright = "Freeware · © 2019–2026 ";
  copyright += kAuthor;
  gtk_about_dialog_set_copyright(about, copyright.c_str());
  gtk_about_dialog_set_website(about, kWebsite);
  gtk_about_dialog_set_website_label(about, "www.orvex-api.example");
  std::vector<const char*> authors = CreditList(app.aboutAuthors);
  std::vector<const char*> documenters = CreditList(app.aboutDocumenters);
  gtk_about_dialog_set_authors(about, authors.data());
  gtk_about_dialog_set_documenters(about, documenters.data());
  std::string translators = kAuthor;
  translators += "\nEnglish and French texts with the help of online translation services";
  gtk_about_dialog_set_translator_credits(about, translators.c_str());
  // Without a logo the dialog shows the program's window icon, when there is one.
  if (logo) {
    gtk_about_dialog_set_logo(about, logo->Pixbuf(1));
    // The dialog's own image is then given the picture at the window's scale,
    // so that the logo is as sharp on a HiDPI screen as the dialog's text.
    if (GtkImage* shown = toolkit::ImageShowing(dialog, logo->Pixbuf(1))) {
      toolkit::ShowScaled(shown, logo);
    }
  }
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  if (toolkit::Window* main = app.ui.FindWindow(app::window_id::kMain)) {
    gtk_window_set_transient_for(GTK_WINDOW(dialog), main->Handle());
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);
  } else {
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
  }
  (void)gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
}

}  // namespace dialogs

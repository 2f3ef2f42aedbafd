// The About dialog and the database-information window on a real display:
// what they show, when they are filled, and the copy image clicked for real.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/Ids.h"
#include "app/MenuCommands.h"
#include "app/SettingsCommands.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/DatabaseInfoWindow.h"
#include "dialogs/SettingsWindow.h"
#include "library/DatabaseLoading.h"
#include "support/TempDirectory.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Window.h"

namespace {

namespace gid = app::gadget_id;
using testsupport::Settle;

// Rows: 0 Root, 1 Fenster, 2 Größe (UTF-8 file with unicode option),
// 3 Knopf (plain file), 4 Liste without file.
constexpr const char* kDatabase = R"(<?xml version="1.0" encoding="UTF-8"?>
<lib Name="Root">Library 2026-12-01
  <cat Name="Fenster">Windows
    <e theme_de="Größe" theme_en="Size" theme_fr="Taille" File="/W/Size.ox"/>
    <e theme_de="Knopf" theme_en="Button" theme_fr="Bouton" File="W/Button.ox"/>
    <e theme_de="Liste" theme_en="List" theme_fr="Liste"/>
  </cat>
</lib>
)";

constexpr int kSizeRow = 2;
constexpr int kButtonRow = 3;
constexpr int kListRow = 4;

using testsupport::ClipboardText;

class InformationWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder_.Path().empty());
    app_ = testsupport::NewAppShowing(kDatabase, [this](app::AppState& app) {
      app.programDirectory = folder_.Path() + "/";
      app.settings.libPath = folder_.Path() + "/lib/";
      app.database.directory = folder_.Path() + "/";
      app.database.fileName = "Toc.xml";
      app.database.path = folder_.Write("Toc.xml", kDatabase);
      folder_.Write("lib/W/Size.ox",
                    "\xEF\xBB\xBF; Größe\n; IDE Options = Orvex\n; EnableUnicode\n");
      folder_.Write("lib/W/Button.ox", "Procedure Knopf()\nEndProcedure\n");
      dialogs::CreateDatabaseInfoWindow(app);
    });
    ASSERT_TRUE(app_);
    testsupport::DrainEvents(*app_);
  }

  toolkit::Ui& Ui() const { return app_->ui; }
  void Select(int row) { testsupport::SelectIndexRow(*app_, row); }
  std::vector<std::string> FileFields() const {
    return {Ui().GadgetText(gid::kInfoFileField), Ui().GadgetText(gid::kInfoCodeFormatField),
            Ui().GadgetText(gid::kInfoExecutableFormatField)};
  }

  TempDirectory folder_;
  std::unique_ptr<app::AppState> app_;
};

TEST_F(InformationWindow, EveryControlHasItsPlaceTextAndKind) {
  toolkit::Ui& ui = Ui();
  const struct {
    int id;
    int x, y, width, height;
    const char* text;
  } labels[] = {
      {gid::kInfoDatabaseLabel, 25, 25, 162, 22, "Datenbank (xml):"},
      {gid::kInfoContentLabel, 5, 57, 182, 22, "Inhalt:"},
      {gid::kInfoLibraryLabel, 5, 89, 182, 22, "Library (Hauptordner):"},
      {gid::kInfoTopicsLabel, 175, 121, 130, 22, "Themen:"},
      {gid::kInfoEntriesLabel, 475, 121, 150, 22, "Einträge:"},
      {gid::kInfoFileLabel, 25, 187, 162, 22, "Datei (+Unterordner):"},
      {gid::kInfoCodeFormatLabel, 175, 220, 130, 22, "Code-Format:"},
      {gid::kInfoExecutableFormatLabel, 455, 220, 170, 22, "Executable-Format:"},
      {gid::kInfoDatabaseFrame, 5, 2, 710, 148, "Datenbank & Library ..."},
      {gid::kInfoFileFrame, 5, 162, 710, 87, "Gewählte Datei ..."},
  };
  for (const auto& label : labels) {
    SCOPED_TRACE(label.text);
    EXPECT_EQ(ui.GadgetText(label.id), label.text);
    EXPECT_EQ(ui.GadgetX(label.id), label.x);
    EXPECT_EQ(ui.GadgetY(label.id), label.y);
    EXPECT_EQ(ui.GadgetWidth(label.id), label.width);
    EXPECT_EQ(ui.GadgetHeight(label.id), label.height);
  }
  const struct {
    int id;
    int x, y, width;
    bool rightAligned;
  } fields[] = {
      {gid::kInfoDatabaseField, 190, 20, 520, false},
      {gid::kInfoContentField, 190, 52, 520, false},
      {gid::kInfoLibraryField, 190, 84, 520, false},
      {gid::kInfoTopicsField, 310, 116, 80, true},
      {gid::kInfoEntriesField, 630, 116, 80, true},
      {gid::kInfoFileField, 190, 182, 520, false},
      {gid::kInfoCodeFormatField, 310, 215, 80, false},
      {gid::kInfoExecutableFormatField, 630, 215, 80, false},
  };
  for (const auto& field : fields) {
    SCOPED_TRACE(field.id);
    GtkWidget* entry = ui.GadgetWidget(field.id);
    ASSERT_TRUE(GTK_IS_ENTRY(entry));
    EXPECT_FALSE(gtk_editable_get_editable(GTK_EDITABLE(entry)));
    EXPECT_EQ(gtk_entry_get_alignment(GTK_ENTRY(entry)), field.rightAligned ? 1.0F : 0.0F);
    EXPECT_EQ(ui.GadgetX(field.id), field.x);
    EXPECT_EQ(ui.GadgetY(field.id), field.y);
    EXPECT_EQ(ui.GadgetWidth(field.id), field.width);
    EXPECT_EQ(ui.GadgetHeight(field.id), 26);
    EXPECT_EQ(ui.GadgetText(field.id), "") << "the fields start empty";
  }
  EXPECT_EQ(ui.GadgetX(gid::kInfoLibraryFolderImage), 7);
  EXPECT_EQ(ui.GadgetY(gid::kInfoCopyImage), 186);
  EXPECT_STREQ(gtk_widget_get_tooltip_text(ui.GadgetWidget(gid::kInfoCopyImage)),
               "Klick kopiert den Code-Pfad ins Clipboard.");
  toolkit::Window* window = ui.FindWindow(app::window_id::kDatabaseInfo);
  ASSERT_TRUE(window);
  EXPECT_EQ(window->Title(), "About: Current database & file");
  EXPECT_FALSE(window->Visible());
  EXPECT_FALSE(gtk_window_get_resizable(window->Handle()));
  EXPECT_EQ(gtk_window_get_type_hint(window->Handle()), GDK_WINDOW_TYPE_HINT_UTILITY);
  EXPECT_EQ(gtk_window_get_transient_for(window->Handle()), nullptr);
}

TEST_F(InformationWindow, FilePartFollowsEverySelection) {
  Select(kSizeRow);
  EXPECT_EQ(FileFields(), (std::vector<std::string>{"/W/Size.ox", "UTF8", "Unicode"}));
  Select(kButtonRow);
  EXPECT_EQ(FileFields(), (std::vector<std::string>{"W/Button.ox", "Ascii", "Ascii"}));
  Select(kListRow);
  EXPECT_EQ(FileFields(), (std::vector<std::string>{"", "", ""}));
  EXPECT_FALSE(Ui().FindWindow(app::window_id::kDatabaseInfo)->Visible())
      << "a selection fills the window without showing it";
}

TEST_F(InformationWindow, InfoMenuFillsFromEntryZeroAndReloadFillsTooWhileHidden) {
  Select(kButtonRow);
  Ui().PostEvent(toolkit::EventKind::Menu, app::window_id::kMain, app::menu_item::kAboutDatabase,
                 0);
  Settle(*app_);
  toolkit::Ui& ui = Ui();
  EXPECT_EQ(app_->database.current, 0u);
  EXPECT_EQ(ui.GadgetText(gid::kInfoDatabaseField), folder_.Path() + "/Toc.xml");
  EXPECT_EQ(ui.GadgetText(gid::kInfoContentField), "Root - Library 2026-12-01");
  EXPECT_EQ(ui.GadgetText(gid::kInfoLibraryField), folder_.Path() + "/lib/");
  EXPECT_EQ(ui.GadgetText(gid::kInfoTopicsField), "1");
  EXPECT_EQ(ui.GadgetText(gid::kInfoEntriesField), "2") << "entries with a file";
  EXPECT_EQ(FileFields()[0], "W/Button.ox") << "the file part stays with the selection";
  EXPECT_TRUE(ui.FindWindow(app::window_id::kDatabaseInfo)->Visible());
  ui.ShowWindow(app::window_id::kDatabaseInfo, false);

  // The settings' Apply with an empty database and no library path: the
  // counts read 0.
  const std::string empty = folder_.Write("Empty.xml", "<lib Name=\"Leer\"></lib>");
  dialogs::CreateSettingsWindow(*app_);
  ui.SetGadgetText(gid::kDatabasePathField, empty);
  ui.SetGadgetText(gid::kLibraryPathField, "");
  app::ApplySettingsPaths(*app_);
  Settle(*app_);
  EXPECT_EQ(ui.GadgetText(gid::kInfoDatabaseField), empty);
  EXPECT_EQ(ui.GadgetText(gid::kInfoContentField), "Leer - ");
  EXPECT_EQ(ui.GadgetText(gid::kInfoLibraryField), "");
  EXPECT_EQ(ui.GadgetText(gid::kInfoTopicsField), "0");
  EXPECT_EQ(ui.GadgetText(gid::kInfoEntriesField), "0");
  EXPECT_FALSE(ui.FindWindow(app::window_id::kDatabaseInfo)->Visible());
}

// The user's way: the window on screen and a real click on the copy image.
TEST_F(InformationWindow, ClickingTheCopyImageCopiesTheCodePathOnlyWithAFile) {
  Select(kListRow);
  dialogs::ShowDatabaseInfo(*app_);
  Settle(*app_);
  GtkWidget* image = Ui().GadgetWidget(gid::kInfoCopyImage);
  auto* window = GTK_WINDOW(gtk_widget_get_toplevel(image));
  ASSERT_TRUE(testsupport::FocusForKeys(window));
  const auto click = [&] {
    int x = 0;
    int y = 0;
    gdk_window_get_origin(gtk_widget_get_window(image), &x, &y);
    GtkAllocation place{};
    gtk_widget_get_allocation(image, &place);
    // Without --sync: it waits for a motion that never comes when the
    // pointer is already there.
    return testsupport::Run("xdotool mousemove " + std::to_string(x + place.x + 8) + " " +
                            std::to_string(y + place.y + 8) + " sleep 0.1 click 1");
  };

  // The focused window's cursor keeps the loop busy, so settling is bounded.
  toolkit::SetClipboardText("before");
  ASSERT_EQ(click(), 0);
  Settle(*app_, 150, 1000);
  EXPECT_EQ(ClipboardText(), "before") << "no file selected: nothing happens";

  // The entry's file names a leading "/", which the path below the library drops.
  testsupport::SelectIndexRow(*app_, kSizeRow, 150, 1000);
  ASSERT_EQ(click(), 0);
  EXPECT_TRUE(testsupport::RunUntil(
      [&] {
        Settle(*app_, 50, 500);
        return ClipboardText() == folder_.Path() + "/lib/W/Size.ox";
      },
      3000))
      << ClipboardText();
}

// Picks the About dialog's fields while it is on screen and closes it.
struct AboutSeen {
  std::string programName, version, comments, website, translators;
  std::vector<std::string> authors, documenters;
  bool logo = false;
  bool modal = false;
};

// Whether an image inside the widget shows the picture (at the window's
// scale, as toolkit::ShowScaled does).
bool ShowsScaled(GtkWidget* widget, const toolkit::ScaledImage* picture) {
  if (GTK_IS_IMAGE(widget) && toolkit::ShownScaled(GTK_IMAGE(widget)) == picture) return true;
  bool found = false;
  if (GTK_IS_CONTAINER(widget)) {
    std::pair<const toolkit::ScaledImage*, bool*> search{picture, &found};
    gtk_container_forall(
        GTK_CONTAINER(widget),
        +[](GtkWidget* child, gpointer data) {
          auto* search = static_cast<std::pair<const toolkit::ScaledImage*, bool*>*>(data);
          *search->second = *search->second || ShowsScaled(child, search->first);
        },
        &search);
  }
  return found;
}

AboutSeen OpenAndReadAbout(app::AppState& app) {
  AboutSeen seen;
  testsupport::DialogAnswer answer(GTK_TYPE_ABOUT_DIALOG, [&](GtkDialog* dialog) {
    auto* about = GTK_ABOUT_DIALOG(dialog);
    const auto list = [](const gchar* const* lines) {
      std::vector<std::string> result;
      for (; lines && *lines; ++lines) result.emplace_back(*lines);
      return result;
    };
    seen.programName = gtk_about_dialog_get_program_name(about);
    seen.version = gtk_about_dialog_get_version(about);
    seen.comments = gtk_about_dialog_get_comments(about);
    seen.website = gtk_about_dialog_get_website(about);
    seen.translators = gtk_about_dialog_get_translator_credits(about);
    seen.authors = list(gtk_about_dialog_get_authors(about));
    seen.documenters = list(gtk_about_dialog_get_documenters(about));
    const toolkit::ImagePtr logo = app.ui.Image(app::ImageId(resources::Icon::Program));
    seen.logo = logo && ShowsScaled(GTK_WIDGET(dialog), logo.get());
    seen.modal = gtk_window_get_modal(GTK_WINDOW(dialog));
    gtk_dialog_response(dialog, GTK_RESPONSE_DELETE_EVENT);
    return true;
  });
  dialogs::OpenAboutWindow(app);
  EXPECT_TRUE(answer.Answered());
  return seen;
}

int AboutDialogsAlive() {
  int count = 0;
  GList* toplevels = gtk_window_list_toplevels();
  for (GList* item = toplevels; item; item = item->next) {
    if (GTK_IS_ABOUT_DIALOG(item->data)) ++count;
  }
  g_list_free(toplevels);
  return count;
}

TEST(AboutDialog, ShowsEveryFieldAndIsBuiltAnewEachTime) {
  auto app = testsupport::NewAppWithMainWindow();
  ASSERT_TRUE(app);
  dialogs::BuildAboutCredits(*app);
  for (int time = 0; time < 2; ++time) {
    SCOPED_TRACE(time);
    const AboutSeen seen = OpenAndReadAbout(*app);
    EXPECT_EQ(seen.programName, "Orvex-Linux-API-Viewer");
    EXPECT_EQ(seen.version, "0.25.37 gtk3");
    EXPECT_EQ(seen.comments,
              "Viewer für die Orvex-API-Funktions-Sammlung.\n"
              "Viewer for the Orvex API-functions-collection.");
    EXPECT_FALSE(seen.website.empty());
    ASSERT_EQ(seen.authors.size(), 4u);
    EXPECT_EQ(seen.authors[0], "");
    EXPECT_EQ(seen.authors[3], "  (ideas, code, design, tests)");
    EXPECT_EQ(seen.documenters, (std::vector<std::string>{"", seen.authors[1], seen.authors[2]}));
    EXPECT_NE(seen.translators.find(seen.authors[1]), std::string::npos);
    EXPECT_TRUE(seen.logo);
    EXPECT_TRUE(seen.modal);
    testsupport::RunFor(50);
    EXPECT_EQ(AboutDialogsAlive(), 0) << "closed means destroyed";
  }
}

}  // namespace

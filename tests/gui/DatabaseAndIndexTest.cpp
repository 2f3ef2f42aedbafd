// The database path at start-up, loading and reloading it, and the index tree
// filled from it in the real main window.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <sys/stat.h>

#include <string>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/Ids.h"
#include "app/MainWindow.h"
#include "app/Search.h"
#include "library/DatabaseLoading.h"
#include "library/IndexTree.h"
#include "library/Preferences.h"
#include "library/core/DatabasePreparation.h"
#include "library/core/XmlParsing.h"
#include "support/TempDirectory.h"
#include "toolkit/GLibHandles.h"
#include "toolkit/TreeGadget.h"
#include "toolkit/core/Colour.h"

namespace {

namespace gid = app::gadget_id;
using resources::Icon;
using testsupport::IndexRow;

// Rows: 0 root, 1 viewer chapter, 2 help, 3 Basics, 4 new entry, 5 changed
// entry with 6 below it, 7 an empty category, 8 Widgets, 9 its entry.
constexpr const char* kDatabase = R"(<?xml version="1.0" encoding="UTF-8"?>
<lib Name="Root">Orvex API Library 2026-12-01 and more
  <cat Name="ZUR Erirada Vuvazo">The viewer itself
    <e theme_de="Hilfe" theme_en="Help" theme_fr="Aide" File="/Viewer/ViewerHelp.txt"/>
  </cat>
  <cat Name="Basics">First steps
    <e theme_de="&#x2730;Neu" theme_en="New" theme_fr="Nouveau" File="Basics/A.ox"/>
    <e theme_de="&#x21BA;Alt" theme_en="&#x21BA;Old" theme_fr="Vieux" File="Basics/B.ox">
      <e theme_de="Tief" theme_en="Deep" theme_fr="Profond" File="Basics/C.ox"/>
    </e>
  </cat>
  <cat Name="Empty"/>
  <cat Name="Widgets">
    <e theme_de="Knopf" theme_en="Button" theme_fr="Bouton" File="Widgets/Button.ox"/>
  </cat>
</lib>
)";

constexpr const char* kOtherDatabase = R"(<lib Name="Other">Other library v2 2027
  <cat Name="Only"><e theme_de="Eins" theme_en="One" theme_fr="Un" File="Only/One.ox"/></cat>
</lib>)";

std::vector<std::string> RowTexts(app::AppState& app) {
  std::vector<std::string> texts;
  const int count = app.ui.CountGadgetItems(gid::kIndexTree);
  for (int i = 0; i < count; ++i) texts.push_back(app.ui.GadgetItemText(gid::kIndexTree, i));
  return texts;
}

TEST(IndexTree, FillShowsEveryRowWithItsIconColoursAndCounts) {
  std::unique_ptr<app::AppState> app = testsupport::NewAppShowing(kDatabase);
  ASSERT_TRUE(app);
  EXPECT_EQ(RowTexts(*app),
            (std::vector<std::string>{"Root", "ZUR Erirada Vuvazo", "Hilfe", "Basics", "Neu", "Alt",
                                      "Tief", "Empty", "Widgets", "Knopf"}));
  ASSERT_EQ(app->database.entries.size(), 10u);
  EXPECT_EQ(app->database.entries[4].theme_de, "\u2730Neu") << "the entry keeps its mark";
  EXPECT_EQ(app->database.entries[9].group, "Widgets");

  const toolkit::ScaledImage* newIcon = app->ui.Image(app::ImageId(Icon::NewEntry)).get();
  const toolkit::ScaledImage* changedIcon = app->ui.Image(app::ImageId(Icon::ChangedEntry)).get();
  ASSERT_TRUE(newIcon && changedIcon);
  EXPECT_EQ(IndexRow(*app, 4).image, newIcon);
  EXPECT_EQ(IndexRow(*app, 5).image, changedIcon);
  EXPECT_EQ(IndexRow(*app, 2).image, nullptr);

  EXPECT_EQ(IndexRow(*app, 0).background, toolkit::Rgb(127, 127, 127));
  EXPECT_EQ(IndexRow(*app, 0).textColour, toolkit::Rgb(255, 255, 255));
  EXPECT_EQ(IndexRow(*app, 1).background, toolkit::Rgb(184, 184, 184))
      << "the viewer's own chapter";
  EXPECT_EQ(IndexRow(*app, 3).background, toolkit::Rgb(232, 232, 232)) << "second category: even";
  EXPECT_EQ(IndexRow(*app, 7).background, toolkit::Rgb(240, 240, 240)) << "third category: odd";
  EXPECT_EQ(IndexRow(*app, 8).background, toolkit::Rgb(232, 232, 232));
  EXPECT_EQ(IndexRow(*app, 4).background, -1);
  EXPECT_EQ(IndexRow(*app, 4).textColour, -1);

  // Basics and Widgets are topics; the empty category and the viewer's chapter
  // are not. Only childless level-2 entries with a file outside the chapter count.
  EXPECT_EQ(app->database.topicCount, 2);
  EXPECT_EQ(app->database.entryCount, 2);
  EXPECT_EQ(app->database.helpEntryIndex, 2);
  EXPECT_EQ(app->database.versionWord, "2026-12-01");

  auto* tree = app->ui.Find<toolkit::TreeGadget>(gid::kIndexTree);
  EXPECT_TRUE(gtk_tree_view_get_fixed_height_mode(tree->View()));
  for (int row : {0, 1, 3, 5}) {
    EXPECT_TRUE(app->ui.GadgetItemState(gid::kIndexTree, row) & toolkit::item_state::kExpanded)
        << "row " << row << " is expanded";
  }
}

TEST(IndexTree, LanguageRefillEndsOnRowZeroInTheNewLanguage) {
  std::unique_ptr<app::AppState> app = testsupport::NewAppShowing(kDatabase);
  ASSERT_TRUE(app);
  app->ui.SetGadgetState(gid::kIndexTree, 9);
  app->settings.language = library::Language::English;
  library::RefillIndexTree(*app, library::RefillSelection::FirstRow);
  testsupport::Settle(*app);
  const std::vector<std::string> texts = RowTexts(*app);
  ASSERT_EQ(texts.size(), 10u);
  EXPECT_EQ(texts[4], "New");
  EXPECT_EQ(texts[5], "Old") << "the English mark is not shown";
  EXPECT_EQ(IndexRow(*app, 5).image, app->ui.Image(app::ImageId(Icon::ChangedEntry)).get())
      << "the icon follows the German title";
  EXPECT_EQ(app->ui.GadgetState(gid::kIndexTree), 0);
  EXPECT_EQ(app->expandState, 1);
  EXPECT_TRUE(testsupport::DrainEvents(*app).empty()) << "a refill queues no events";
}

TEST(IndexTree, SettingsRefillKeepsTheSelectedRowAndTakesTheNewColours) {
  std::unique_ptr<app::AppState> app = testsupport::NewAppShowing(kDatabase);
  ASSERT_TRUE(app);
  app->ui.SetGadgetState(gid::kIndexTree, 6);
  app->settings.darkMode = 1;
  app->settings.dyeingNews = 0;
  app->colours.Apply(app->settings.darkMode != 0);
  library::RefillIndexTree(*app, library::RefillSelection::SelectedRow);
  testsupport::Settle(*app);
  EXPECT_EQ(app->ui.GadgetState(gid::kIndexTree), 6) << "selected under its expanded parents";
  EXPECT_EQ(IndexRow(*app, 3).background, toolkit::Rgb(161, 161, 161));
  EXPECT_EQ(IndexRow(*app, 7).background, toolkit::Rgb(176, 176, 176));
  EXPECT_EQ(IndexRow(*app, 4).image, nullptr) << "no marks";
  EXPECT_EQ(app->database.entries[4].theme_de, "Neu") << "without marks the mark is dropped";
  app->colours.Apply(false);
}

// Start-up: the three messages that end the program, exactly.
TEST(DatabaseLoading, StartupFailuresSayWhyInTheirOwnWords) {
  TempDirectory temp;
  const std::string empty = temp.Write("Empty.xml", "");
  const std::string broken = temp.Write("Broken.xml", "<a>\n<b>\n<c d=1/>\n</b></a>\n");
  struct Case {
    std::string path;
    const char* title;
    std::string text;
  };
  const Case cases[] = {
      {"", app::kErrorTitle, "No database selected. Programm canceled!"},
      {empty, app::kErrorTitle, "The database '" + empty + "' cannot be opened."},
      {temp.Path(), app::kErrorTitle, "The database '" + temp.Path() + "' cannot be opened."},
      // A path that is not UTF-8 is shown with a replacement character.
      {temp.Path() + "/bad\xFF.xml", app::kErrorTitle,
       "The database '" + temp.Path() + "/bad\xEF\xBF\xBD.xml' cannot be opened."},
      {broken, app::kXmlErrorTitle,
       "Error in the XML file:\rMessage: not well-formed (invalid token)\rLine: 3   Character: 6"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<app::AppState> app = testsupport::NewAppState();
    app->database.path = c.path;
    testsupport::MessageCatcher message;
    library::PreparedDatabase prepared = library::DatabasePreparation(c.path, {}).Take();
    EXPECT_FALSE(library::LoadDatabaseAtStartup(*app, prepared)) << c.path;
    EXPECT_TRUE(message.Answered()) << c.path;
    EXPECT_EQ(message.Seen().title, c.title) << c.path;
    EXPECT_EQ(message.Seen().text, c.text) << c.path;
  }
}

// Start-up shows the rows that the worker built when they were built for
// the options of now, and builds them again when not (the stored language
// differs from what the language box shows).
TEST(DatabaseLoading, StartupTakesPreparedRowsOnlyForTheOptionsOfNow) {
  TempDirectory temp;
  const std::string path = temp.Write("Toc.xml", kDatabase);
  for (const long preparedLanguage : {0L, 1L}) {
    std::unique_ptr<app::AppState> app = testsupport::NewAppWithMainWindow();
    ASSERT_TRUE(app);
    app->database.path = path;
    library::IndexFillOptions options = library::FillOptions(*app);
    options.language = static_cast<library::Language>(preparedLanguage);
    library::PreparedDatabase prepared = library::DatabasePreparation(path, options).Take();
    ASSERT_TRUE(prepared.fill);
    prepared.fill->rows[4].text = "built ahead";
    ASSERT_TRUE(library::LoadDatabaseAtStartup(*app, prepared));
    library::FillIndexTree(*app, prepared);
    library::ExpandAllAndCount(*app);
    testsupport::Settle(*app);

    const std::vector<std::string> rows = RowTexts(*app);
    ASSERT_EQ(rows.size(), 10u) << preparedLanguage;
    EXPECT_EQ(rows[4], preparedLanguage == 0 ? "built ahead" : "Neu") << preparedLanguage;
    EXPECT_EQ(rows[9], "Knopf") << preparedLanguage;
    ASSERT_EQ(app->database.entries.size(), 10u);
    EXPECT_EQ(app->database.entries[9].file, "Widgets/Button.ox");
    EXPECT_EQ(app->database.entryCount, 2);
    // The search's texts wait for the idle start-up; a search builds them.
    app::PrepareSearch(*app);
    EXPECT_TRUE(app->searchCandidates.BuiltFor(
        10, library::ScopeOfSearchMode(app->settings.searchMode), app->settings.language));
  }
}

TEST(DatabaseLoading, ReloadShowsTheNewDatabaseAndNeverComplains) {
  TempDirectory temp;
  const std::string other = temp.Write("lib/Other.xml", kOtherDatabase);
  std::unique_ptr<app::AppState> app = testsupport::NewAppShowing(kDatabase);
  ASSERT_TRUE(app);
  app->ui.SetGadgetText(gid::kDescriptionView, "old description");
  app->viewShowsCurrentCodeFile = true;
  app->reportMissingFile = false;

  library::ReloadDatabase(*app, other, "/library/");
  testsupport::Settle(*app);
  EXPECT_EQ(RowTexts(*app), (std::vector<std::string>{"Other", "Only", "Eins"}));
  EXPECT_EQ(app->database.path, other);
  EXPECT_EQ(app->database.fileName, "Other.xml");
  EXPECT_EQ(app->database.directory, temp.Path() + "/lib/");
  EXPECT_EQ(app->settings.libPath, "/library/");
  EXPECT_EQ(app->database.helpEntryIndex, 0) << "the new database has no help entry";
  EXPECT_EQ(app->database.topicCount, 1);
  EXPECT_EQ(app->database.entryCount, 1);
  EXPECT_EQ(app->database.versionWord, "2027");
  EXPECT_EQ(app->ui.GadgetText(gid::kDescriptionView), "");
  EXPECT_FALSE(app->viewShowsCurrentCodeFile) << "the view no longer shows the old code";
  EXPECT_TRUE(app->reportMissingFile);
  EXPECT_EQ(app->ui.GadgetState(gid::kIndexTree), 0);
  EXPECT_EQ(app->ui.FindWindow(app::window_id::kMain)->Title(), app::kProgramTitle);

  // A file that does not open keeps the document; one with an error gives
  // what was read before it. No message box either way. (The catcher's
  // polling keeps the toolkit busy, so the test waits a fixed time.)
  testsupport::MessageCatcher message;
  library::ReloadDatabase(*app, temp.Path() + "/missing.xml", "");
  testsupport::RunFor(300);
  EXPECT_EQ(RowTexts(*app), (std::vector<std::string>{"Other", "Only", "Eins"}));
  const std::string broken = temp.Write("Broken.xml", "<a Name=\"A\"><b Name=\"B\"/><c");
  library::ReloadDatabase(*app, broken, "");
  testsupport::RunFor(300);
  EXPECT_EQ(RowTexts(*app), (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(message.Answered());
}

// Preferences beside the program in a folder of the test's own.
struct ProgramFolder {
  TempDirectory temp;
  std::unique_ptr<app::AppState> app = testsupport::NewAppState();
  ProgramFolder() {
    app->programDirectory = temp.Path() + "/";
    app->settings.dbPath = app->programDirectory;
    app->settings.libPath = app->programDirectory;
    app->database.directory = app->programDirectory;
  }
  std::string PreferencesPath() const { return temp.Path() + "/LinuxOX VIZ-AduDozuzo.ini"; }
};

TEST(DatabaseLoading, AStoredFileIsTakenAsItStands) {
  ProgramFolder folder;
  const std::string database = folder.temp.Write("db/Toc.xml", "<a/>");
  const std::string preferences = "\xEF\xBB\xBF\ndb-path=" + database + "\nabout=1\n";
  folder.temp.Write("LinuxOX VIZ-AduDozuzo.ini", preferences);
  ASSERT_TRUE(library::ReadPreferences(*folder.app));
  library::ResolveDatabasePath(*folder.app, true);
  EXPECT_EQ(folder.app->database.path, database);
  EXPECT_EQ(folder.app->database.fileName, "Toc.xml");
  EXPECT_EQ(folder.app->database.directory, folder.temp.Path() + "/db/");
  EXPECT_EQ(TempDirectory::Read(folder.PreferencesPath()), preferences) << "nothing written";
}

TEST(DatabaseLoading, AStoredFolderGetsTheFileNameAndIsWrittenBack) {
  ProgramFolder folder;
  folder.temp.Write("db/OX-LinuxAPI-Toc.xml", "<a/>");
  folder.temp.Write("LinuxOX VIZ-AduDozuzo.ini",
                    "db-path = " + folder.temp.Path() + "/db\nabout=1\nSavePaths=1\n");
  ASSERT_TRUE(library::ReadPreferences(*folder.app));
  library::ResolveDatabasePath(*folder.app, true);
  const std::string expected = folder.temp.Path() + "/db/OX-LinuxAPI-Toc.xml";
  EXPECT_EQ(folder.app->database.path, expected);
  const std::string written = TempDirectory::Read(folder.PreferencesPath());
  EXPECT_EQ(written.rfind("\xEF\xBB\xBF\ndb-path=" + expected + "\nabout=1\nSavePaths=1\n", 0), 0u)
      << written;
}

TEST(DatabaseLoading, ACancelledDialogLeavesThePreferencesFileAlone) {
  ProgramFolder folder;
  const std::string preferences = "\xEF\xBB\xBF\ndb-path=/nowhere/Toc.xml\nabout=1\n";
  folder.temp.Write("LinuxOX VIZ-AduDozuzo.ini", preferences);
  ASSERT_TRUE(library::ReadPreferences(*folder.app));
  std::string title;
  testsupport::DialogAnswer cancel(GTK_TYPE_FILE_CHOOSER_DIALOG, [&](GtkDialog* dialog) {
    title = gtk_window_get_title(GTK_WINDOW(dialog));
    gtk_dialog_response(dialog, GTK_RESPONSE_CANCEL);
    return true;
  });
  library::ResolveDatabasePath(*folder.app, true);
  ASSERT_TRUE(cancel.Answered());
  EXPECT_EQ(title, "Choose database 'OX-LinuxAPI-Toc.xml' ...");
  EXPECT_EQ(folder.app->database.path, "");
  EXPECT_EQ(TempDirectory::Read(folder.PreferencesPath()), preferences);
}

TEST(DatabaseLoading, TheChosenDatabaseCreatesTheMissingPreferencesFile) {
  ProgramFolder folder;
  const std::string database = folder.temp.Write("OX-LinuxAPI-Toc.xml", "<a/>");
  ASSERT_FALSE(library::ReadPreferences(*folder.app));
  // The chooser loads the file's folder in the background and may select
  // again meanwhile: the file is taken once it has stayed selected.
  int pollsSelected = 0;
  testsupport::DialogAnswer choose(GTK_TYPE_FILE_CHOOSER_DIALOG, [&](GtkDialog* dialog) {
    toolkit::GCharPtr selected(gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog)));
    if (!selected || database != selected.get()) {
      pollsSelected = 0;
      gtk_file_chooser_set_filename(GTK_FILE_CHOOSER(dialog), database.c_str());
      return false;
    }
    if (++pollsSelected < 3) return false;
    gtk_dialog_response(dialog, GTK_RESPONSE_ACCEPT);
    return true;
  });
  library::ResolveDatabasePath(*folder.app, false);
  ASSERT_TRUE(choose.Answered());
  EXPECT_EQ(folder.app->database.path, database);
  const std::string programFolder = folder.temp.Path() + "/";
  EXPECT_EQ(TempDirectory::Read(folder.PreferencesPath()),
            "\xEF\xBB\xBF\n; Viewer\ndb-path=" + database + "\nLib-path=" + programFolder +
                "\nabout=0\n; User settings\nLanguage=0\nSearchHint=0\nSearchMode=0\n"
                "CodeMarks=0\nFontName=Monospace\nFontSize=10\nSavePaths=1\nSourceInTitle=1\n"
                "SaveWinSetting=0\nDyeingNews=1\nDarkMode=0\nCodeEditorPath=\n; App settings\n");
}

TEST(Preferences, AFileThatCannotBeReplacedIsReportedAndKept) {
  ProgramFolder folder;
  const std::string preferences = "\xEF\xBB\xBF\nabout=1\n";
  const std::string path = folder.temp.Write("LinuxOX VIZ-AduDozuzo.ini", preferences);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  folder.app->settings.language = library::Language::French;
  testsupport::MessageCatcher message;
  EXPECT_FALSE(library::WritePreferences(*folder.app));
  EXPECT_TRUE(message.Answered());
  EXPECT_EQ(message.Seen().title, app::kProgramTitle);
  EXPECT_EQ(message.Seen().text, "*.ini-file couldn't be updatet!");
  EXPECT_EQ(TempDirectory::Read(path), preferences);
}

TEST(Preferences, TheMainWindowsGeometryIsStoredOnlyWhenAsked) {
  ProgramFolder folder;
  ASSERT_TRUE(app::CreateMainWindow(*folder.app));
  folder.app->settings.about = 1;
  folder.app->settings.savePaths = 0;
  ASSERT_TRUE(library::WritePreferences(*folder.app));
  EXPECT_EQ(TempDirectory::Read(folder.PreferencesPath()).find("WinX"), std::string::npos);
  folder.app->settings.saveWinSetting = 1;
  ASSERT_TRUE(library::WritePreferences(*folder.app));
  const std::string written = TempDirectory::Read(folder.PreferencesPath());
  EXPECT_NE(written.find("\nWinWidth="), std::string::npos) << written;
  EXPECT_NE(written.find("\nSplitter="), std::string::npos) << written;
  EXPECT_EQ(written.find("db-path"), std::string::npos) << "paths are not saved";
}

}  // namespace

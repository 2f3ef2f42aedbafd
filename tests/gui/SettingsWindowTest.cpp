// The settings window on a real display: what Save takes over and in which
// order, what Cancel leaves alone, and the file it writes.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <memory>
#include <string>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/Ids.h"
#include "app/MainWindow.h"
#include "app/SettingsCommands.h"
#include "dialogs/SettingsWindow.h"
#include "support/TempDirectory.h"
#include "toolkit/FrameGadget.h"
#include "toolkit/TextAreaGadget.h"
#include "toolkit/Window.h"
#include "toolkit/core/Colour.h"

namespace {

namespace gid = app::gadget_id;
using testsupport::IndexRow;
using testsupport::Settle;

// Rows: 0 Root, 1 Fenster, 2 new entry Größe (W/Size.ox), 3 Knopf
// (W/Button.ox), 4 Knopf im Fenster under 3, 5 Listen, 6 Liste without file.
constexpr const char* kDatabase = R"(<?xml version="1.0" encoding="UTF-8"?>
<lib Name="Root">Library 2026-12-01
  <cat Name="Fenster">Windows
    <e theme_de="&#x2730;Größe" theme_en="Size" theme_fr="Taille" File="W/Size.ox"/>
    <e theme_de="Knopf" theme_en="Button" theme_fr="Bouton" File="W/Button.ox">
      <e theme_de="Knopf im Fenster" theme_en="Button in a window" theme_fr="Bouton"
         File="W/Deep.ox"/>
    </e>
  </cat>
  <cat Name="Listen">
    <e theme_de="Liste" theme_en="List" theme_fr="Liste"/>
  </cat>
</lib>
)";

constexpr int kSizeRow = 2;
constexpr int kButtonRow = 3;
constexpr int kListRow = 6;

constexpr const char* kPreferencesName = "LinuxOX VIZ-AduDozuzo.ini";

class SettingsWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder_.Path().empty());
    app_ = testsupport::NewAppShowing(kDatabase, [this](app::AppState& app) {
      app.programDirectory = folder_.Path() + "/";
      app.settings.libPath = folder_.Path() + "/lib/";
      app.settings.about = 1;
      app.database.directory = folder_.Path() + "/db/";
      app.database.fileName = "Toc.xml";
      app.database.path = folder_.Write("db/Toc.xml", kDatabase);
      folder_.Write("lib/W/Button.ox", "Procedure Knopf()\nEndProcedure");
      folder_.Write("lib/W/Size.ox", "; size\n");
      dialogs::CreateSettingsWindow(app);
    });
    ASSERT_TRUE(app_);
    testsupport::DrainEvents(*app_);
  }

  void TearDown() override {
    if (app_) app_->colours.Apply(false);
  }

  toolkit::Ui& Ui() const { return app_->ui; }
  // Selects an index row and shows its entry, as a click does.
  void Select(int row) { testsupport::SelectIndexRow(*app_, row); }
  void Open() {
    dialogs::OpenSettingsWindow(*app_);
    Settle(*app_);
  }
  // A message box of Save is answered while Save runs. Afterwards the
  // catcher's polling keeps the loop from ever being idle, so the wait for
  // the rest is bounded.
  void Save() {
    app::SaveSettings(*app_);
    Settle(*app_, 150, 1000);
  }
  bool WindowVisible() const { return Ui().FindWindow(app::window_id::kSettings)->Visible(); }
  std::string PreferencesPath() const { return folder_.Path() + "/" + kPreferencesName; }
  std::string Preferences() const { return TempDirectory::Read(PreferencesPath()); }
  std::string CodeText() const {
    return Ui().Find<toolkit::TextAreaGadget>(gid::kCodeView)->Text();
  }
  std::string Title() const { return Ui().FindWindow(app::window_id::kMain)->Title(); }

  TempDirectory folder_;
  std::unique_ptr<app::AppState> app_;
};

TEST_F(SettingsWindow, ControlsStartFromTheSettingsAndOpenFillsThePathsAndFont) {
  toolkit::Ui& ui = Ui();
  EXPECT_EQ(ui.GadgetState(gid::kMarkingBox), static_cast<int>(app_->settings.codeMarks));
  EXPECT_EQ(ui.GadgetState(gid::kSavePathsBox), 1);
  EXPECT_EQ(ui.GadgetState(gid::kDarkBox), 0);
  EXPECT_EQ(ui.GadgetText(gid::kDatabasePathField), "") << "paths wait for Open";
  ASSERT_EQ(ui.CountGadgetItems(gid::kLanguageBox), 3);
  EXPECT_EQ(ui.GadgetItemText(gid::kHintBox, 2), "Suchfeld blinkt falls unterstützt");
  EXPECT_EQ(ui.GadgetText(gid::kProgramFrame), "Programm-Einstellungen ...");
  EXPECT_EQ(ui.ActiveGadget(app::window_id::kSettings), gid::kCancelButton);
  for (int id : {gid::kDatabaseChooseButton, gid::kLanguageBox, gid::kGeometryBox}) {
    EXPECT_FALSE(gtk_widget_get_focus_on_click(ui.GadgetWidget(id))) << id;
  }
  EXPECT_TRUE(gtk_widget_get_focus_on_click(ui.GadgetWidget(gid::kNewsBox)));

  app_->settings.fontName = "Serif";
  app_->settings.fontSize = 13;
  Open();
  EXPECT_TRUE(WindowVisible());
  EXPECT_EQ(ui.GadgetText(gid::kDatabasePathField), folder_.Path() + "/db/Toc.xml");
  EXPECT_EQ(ui.GadgetText(gid::kLibraryPathField), folder_.Path() + "/lib/");
  EXPECT_EQ(ui.GadgetText(gid::kFontNameDisplay), "Serif");
  EXPECT_EQ(ui.GadgetText(gid::kFontSizeDisplay), "13");
}

TEST_F(SettingsWindow, SaveWithoutChangesWritesTheFileHidesAndSaysNothing) {
  Select(kButtonRow);
  const library::AppSettings before = app_->settings;
  Open();
  testsupport::MessageCatcher message;
  Save();
  EXPECT_FALSE(message.Answered());
  EXPECT_FALSE(WindowVisible());
  EXPECT_EQ(app_->settings.language, before.language);
  EXPECT_EQ(app_->settings.codeMarks, before.codeMarks);
  EXPECT_EQ(app_->database.directory, folder_.Path() + "/db/");
  EXPECT_EQ(Ui().GadgetState(gid::kIndexTree), kButtonRow);
  const std::string written = Preferences();
  EXPECT_NE(written.find("db-path=" + folder_.Path() + "/db/Toc.xml\n"), std::string::npos)
      << written;
  EXPECT_NE(written.find("Lib-path=" + folder_.Path() + "/lib/\n"), std::string::npos);
  EXPECT_EQ(written.find("WinX="), std::string::npos) << "geometry only when asked";
}

TEST_F(SettingsWindow, TheCodeScopeIsTheFourthSearchItemAndIsStoredAsThree) {
  EXPECT_EQ(Ui().GadgetItemText(gid::kSearchModeBox, 3), "Index + Beschreibung + Code");
  Open();
  Ui().SetGadgetState(gid::kSearchModeBox, 3);
  Save();
  EXPECT_EQ(app_->settings.searchMode, library::SearchMode::IndexDescriptionAndCode);
  EXPECT_NE(Preferences().find("\nSearchMode=3\n"), std::string::npos) << Preferences();
}

TEST_F(SettingsWindow, OnlyTheFolderOfAChosenDatabaseIsTakenOverAndPathsMayStayInMemory) {
  Open();
  Ui().SetGadgetText(gid::kDatabasePathField, "/elsewhere/other/Else.xml");
  Ui().SetGadgetText(gid::kLibraryPathField, "/elsewhere/lib/");
  Ui().SetGadgetState(gid::kSavePathsBox, 0);
  Ui().SetGadgetState(gid::kGeometryBox, 1);
  folder_.Write(kPreferencesName, "\xEF\xBB\xBF\ndb-path=/kept/Toc.xml\nLib-path=/kept/\n");
  Save();
  EXPECT_EQ(app_->database.directory, "/elsewhere/other/");
  EXPECT_EQ(app_->database.fileName, "Toc.xml") << "the file name is Apply's";
  EXPECT_EQ(Ui().CountGadgetItems(gid::kIndexTree), 7) << "nothing reloaded";
  EXPECT_EQ(app_->settings.libPath, "/elsewhere/lib/");
  EXPECT_EQ(app_->settings.savePaths, 0);
  const std::string written = Preferences();
  EXPECT_NE(written.find("db-path=/kept/Toc.xml\n"), std::string::npos) << written;
  EXPECT_NE(written.find("Lib-path=/kept/\n"), std::string::npos) << written;
  EXPECT_NE(written.find("\nWinX="), std::string::npos) << written;
  EXPECT_NE(written.find("\nSplitter="), std::string::npos) << written;
}

TEST_F(SettingsWindow, AChangedMarkingShowsTheCodeAgainAndOnlyThen) {
  app_->settings.codeMarks = library::CodeMarking::Plain;
  Ui().SetGadgetState(gid::kMarkingBox, 0);
  Select(kButtonRow);
  ASSERT_EQ(CodeText(), "Procedure Knopf()\nEndProcedure");
  folder_.Write("lib/W/Button.ox", "Procedure Neu()");
  Open();
  Save();
  EXPECT_EQ(CodeText(), "Procedure Knopf()\nEndProcedure") << "unchanged marking: no reload";

  Open();
  Ui().SetGadgetState(gid::kMarkingBox, 2);
  Save();
  EXPECT_EQ(app_->settings.codeMarks, library::CodeMarking::BlueBold);
  EXPECT_EQ(CodeText(), "Procedure Neu()");
  // The view is known to show the entry's file: a click on it loads nothing.
  folder_.Write("lib/W/Button.ox", "Procedure Drei()");
  Select(kButtonRow);
  EXPECT_EQ(CodeText(), "Procedure Neu()") << "the shown file was loaded again";

  // An entry without a file has no code to mark again, and no missing file
  // to report.
  Select(kListRow);
  Open();
  Ui().SetGadgetState(gid::kMarkingBox, 1);
  testsupport::MessageCatcher message;
  Save();
  EXPECT_FALSE(message.Answered()) << message.Seen().text;
  EXPECT_EQ(app_->settings.codeMarks, library::CodeMarking::Bold);
}

TEST_F(SettingsWindow, DarkColoursRebuildTheIndexKeepTheRowAndAskForARestartBeforeWriting) {
  Select(kButtonRow);
  Open();
  Ui().SetGadgetState(gid::kDarkBox, 1);
  // What the other steps had done when the restart message came.
  bool visibleAtMessage = false;
  bool writtenAtMessage = true;
  int bandAtMessage = -1;
  testsupport::DialogAnswer answer(GTK_TYPE_MESSAGE_DIALOG, [&](GtkDialog* dialog) {
    visibleAtMessage = WindowVisible();
    writtenAtMessage = !Preferences().empty();
    bandAtMessage = IndexRow(*app_, 1).background;
    gchar* text = nullptr;
    g_object_get(dialog, "text", &text, nullptr);
    EXPECT_STREQ(text, "For an update of the CodeViewer colors the app still has to be restarted!");
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(dialog)), "Linux OX-ZUR-Erirada-Vuvazo");
    g_free(text);
    gtk_dialog_response(dialog, GTK_RESPONSE_OK);
    return true;
  });
  Save();
  ASSERT_TRUE(answer.Answered());
  EXPECT_EQ(bandAtMessage, toolkit::Rgb(176, 176, 176)) << "rebuilt in dark colours before";
  EXPECT_TRUE(visibleAtMessage) << "the window hides after the message";
  EXPECT_FALSE(writtenAtMessage) << "the file is written last";
  EXPECT_FALSE(WindowVisible());
  EXPECT_NE(Preferences().find("\nDarkMode=1\n"), std::string::npos);
  EXPECT_EQ(Ui().GadgetState(gid::kIndexTree), kButtonRow);
  EXPECT_EQ(app_->database.Current(), &app_->database.entries[kButtonRow]);
}

TEST_F(SettingsWindow, MarksAloneRebuildTheIndexWithoutAMessage) {
  Select(kSizeRow);
  ASSERT_NE(IndexRow(*app_, kSizeRow).image, nullptr);
  Open();
  Ui().SetGadgetState(gid::kNewsBox, 0);
  testsupport::MessageCatcher message;
  Save();
  EXPECT_FALSE(message.Answered());
  EXPECT_EQ(app_->settings.dyeingNews, 0);
  EXPECT_EQ(IndexRow(*app_, kSizeRow).image, nullptr);
  EXPECT_EQ(IndexRow(*app_, 1).background, toolkit::Rgb(240, 240, 240)) << "light bands stay";
  EXPECT_EQ(Ui().GadgetState(gid::kIndexTree), kSizeRow);
}

TEST_F(SettingsWindow, TheTitleFollowsANewTitleContentOnlyForAnEntryWithAFile) {
  Select(kButtonRow);
  Open();
  Ui().SetGadgetState(gid::kTitleBox, 2);
  Save();
  EXPECT_EQ(Title(), "Linux OX-ZUR-Erirada-Vuvazo ~ " + folder_.Path() + "/db/W/Button.ox");

  Select(kListRow);
  const std::string title = Title();
  Open();
  Ui().SetGadgetState(gid::kTitleBox, 0);
  Save();
  EXPECT_EQ(app_->settings.sourceInTitle, library::TitleContent::FileName);
  EXPECT_EQ(Title(), title);
}

TEST_F(SettingsWindow, TheDisplayedFontIsTakenOverWithinItsSizeLimits) {
  app_->reportMissingFile = false;
  Open();
  Ui().SetGadgetText(gid::kFontNameDisplay, "Serif");
  Ui().SetGadgetText(gid::kFontSizeDisplay, "40");
  Save();
  EXPECT_EQ(app_->settings.fontName, "Serif");
  EXPECT_EQ(app_->settings.fontSize, 24);
  EXPECT_EQ(pango_font_description_get_size(Ui().Font(app::font_id::kCode)), 24 * PANGO_SCALE);
  const PangoFontDescription* shown = Ui().FindGadget(gid::kCodeView)->Font();
  ASSERT_NE(shown, nullptr);
  EXPECT_STREQ(pango_font_description_get_family(shown), "Serif");
  EXPECT_TRUE(app_->reportMissingFile) << "the next missing file is reported again";

  Open();
  Ui().SetGadgetText(gid::kFontSizeDisplay, "2");
  app::SaveSettings(*app_);
  EXPECT_EQ(app_->settings.fontSize, 6);
}

TEST_F(SettingsWindow, CancelTakesNothingButTheChoicesStayForALaterSave) {
  Open();
  Ui().SetGadgetState(gid::kHintBox, 1);
  Ui().SetGadgetState(gid::kSearchModeBox, 2);
  app_->ui.PostEvent(toolkit::EventKind::Gadget, app::window_id::kSettings, gid::kCancelButton,
                     toolkit::event_type::kLeftClick);
  Settle(*app_);
  EXPECT_FALSE(WindowVisible());
  EXPECT_EQ(app_->settings.searchHint, library::SearchHint::ShakeAndBlink);
  EXPECT_EQ(app_->settings.searchMode, library::SearchMode::IndexAndDescription);
  EXPECT_TRUE(Preferences().empty()) << "nothing written";

  Open();
  EXPECT_EQ(Ui().GadgetState(gid::kHintBox), 1);
  app_->ui.PostEvent(toolkit::EventKind::Gadget, app::window_id::kSettings, gid::kSaveButton,
                     toolkit::event_type::kLeftClick);
  Settle(*app_);
  EXPECT_EQ(app_->settings.searchHint, library::SearchHint::Shake);
  EXPECT_EQ(app_->settings.searchMode, library::SearchMode::AllLanguages);
}

TEST_F(SettingsWindow, FramesHaveBoldTitlesOverNoBackground) {
  for (int id : {gid::kPathsFrame, gid::kProgramFrame}) {
    auto* frame = Ui().Find<toolkit::FrameGadget>(id);
    ASSERT_NE(frame, nullptr);
    GtkWidget* title = gtk_frame_get_label_widget(GTK_FRAME(frame->Widget()));
    PangoFontDescription* font = nullptr;
    gtk_style_context_get(gtk_widget_get_style_context(title), GTK_STATE_FLAG_NORMAL, "font", &font,
                          nullptr);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(pango_font_description_get_weight(font), PANGO_WEIGHT_BOLD);
    pango_font_description_free(font);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GdkRGBA background{};
    gtk_style_context_get_background_color(gtk_widget_get_style_context(frame->Widget()),
                                           GTK_STATE_FLAG_NORMAL, &background);
    G_GNUC_END_IGNORE_DEPRECATIONS
    EXPECT_EQ(background.alpha, 0.0);
  }
}

TEST(SettingsValues, AStoredValueThatNamesNoItemSurvivesASave) {
  TempDirectory folder;
  std::unique_ptr<app::AppState> app = testsupport::NewAppWithMainWindow();
  ASSERT_TRUE(app);
  app->programDirectory = folder.Path() + "/";
  app->settings.searchHint = static_cast<library::SearchHint>(7);
  app->settings.codeMarks = static_cast<library::CodeMarking>(-3);
  app->settings.searchMode = library::SearchMode::IndexDescriptionAndCode;
  dialogs::CreateSettingsWindow(*app);
  EXPECT_EQ(app->ui.GadgetState(gid::kSearchModeBox), 3);
  EXPECT_EQ(app->ui.GadgetState(gid::kHintBox), -1);
  EXPECT_EQ(app->ui.GadgetState(gid::kMarkingBox), -1);
  dialogs::OpenSettingsWindow(*app);
  app::SaveSettings(*app);
  Settle(*app);
  EXPECT_EQ(app->settings.searchHint, static_cast<library::SearchHint>(7));
  EXPECT_EQ(app->settings.codeMarks, static_cast<library::CodeMarking>(-3));
}

}  // namespace

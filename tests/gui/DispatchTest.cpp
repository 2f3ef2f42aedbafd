// The commands of every window, reached the way the event loop reaches them:
// events posted into the program's own queue, results read back from the
// gadgets, the clipboard and the outside programs' stand-ins.
#include <gtest/gtest.h>

#include <filesystem>

#include "GuiTestSupport.h"
#include "app/EventLoop.h"
#include "app/FileDragDrop.h"
#include "app/Ids.h"
#include "dialogs/DatabaseInfoWindow.h"
#include "dialogs/SettingsWindow.h"
#include "dialogs/UpdateWindow.h"
#include "support/StubPrograms.h"
#include "support/TempDirectory.h"
#include "toolkit/Clipboard.h"
#include "toolkit/ImageGadget.h"
#include "toolkit/TextAreaGadget.h"
#include "toolkit/TextFieldGadget.h"
#include "toolkit/TreeGadget.h"

namespace {

using namespace app;
using testsupport::DrainEvents;
using testsupport::Settle;
using toolkit::EventKind;
using Arguments = std::vector<std::string>;
namespace gid = gadget_id;
namespace type = toolkit::event_type;
namespace state = toolkit::item_state;

// Rows of the small index the tests work on.
enum Row { kRoot, kViewerChapter, kHelpRow, kGadgetsTopic, kButtonRow, kMissingRow };

class DispatchTest : public testing::Test {
 protected:
  void SetUp() override {
    app_ = testsupport::NewAppWithMainWindow();
    ASSERT_TRUE(app_);
    ASSERT_FALSE(library_.Path().empty());
    app_->programDirectory = std::filesystem::current_path().string() + "/";
    app_->settings.libPath = library_.Path() + "/";
    buttonFile_ = library_.Write("Gadgets/Button demo.ox", "Procedure Main()\n");
    library_.Write("Viewer/ViewerHelp.txt", "help\n");
    FillIndex();
    CreateSecondaryWindows();
    DrainEvents(*app_);
  }

  void FillIndex() {
    struct Item {
      const char* title;
      int level;
      const char* file;
    };
    const Item rows[] = {{"Orvex API", 0, ""},
                         {"ZUR Erirada Vuvazo", 1, ""},
                         {"Hilfe", 2, "/Viewer/ViewerHelp.txt"},
                         {"Gadgets", 1, ""},
                         {"Button", 2, "Gadgets/Button demo.ox"},
                         {"Missing", 2, "/Gadgets/missing.ox"}};
    for (const Item& row : rows) {
      app_->ui.AddGadgetItem(gid::kIndexTree, -1, row.title, -1, row.level);
      app_->database.rows.push_back({row.level, row.title});
      library::IndexEntry entry;
      entry.text = row.title;
      entry.file = row.file;
      app_->database.entries.push_back(entry);
    }
    Tree()->ExpandAll();
  }

  void CreateSecondaryWindows() {
    dialogs::CreateSettingsWindow(*app_);
    dialogs::CreateDatabaseInfoWindow(*app_);
    dialogs::CreateUpdateWindow(*app_);
  }

  void Post(int window, EventKind kind, int object = -1, int eventType = 0,
            std::intptr_t data = 0) {
    app_->ui.PostEvent(kind, window, object, eventType, data);
    Settle(*app_);
  }
  void Gadget(int object, int eventType = type::kLeftClick, int window = window_id::kMain) {
    Post(window, EventKind::Gadget, object, eventType);
  }
  void Menu(int item, int window = window_id::kMain) { Post(window, EventKind::Menu, item); }

  toolkit::TreeGadget* Tree() const { return app_->ui.Find<toolkit::TreeGadget>(gid::kIndexTree); }
  int RowState(int row) const { return app_->ui.GadgetItemState(gid::kIndexTree, row); }
  bool Visible(int window) const { return app_->ui.FindWindow(window)->Visible(); }
  void Show(int window) {
    app_->ui.FindWindow(window)->Show(true);
    Settle(*app_);
  }

  static std::string ClipboardText() { return testsupport::ClipboardText(); }

  TempDirectory library_;
  std::string buttonFile_;
  std::unique_ptr<AppState> app_;
};

TEST_F(DispatchTest, ExpandToggleFoldsAndUnfoldsEveryRowWithTheMatchingIcon) {
  auto* toggle = app_->ui.Find<toolkit::ImageGadget>(gid::kExpandToggle);
  ASSERT_TRUE(toggle);
  ASSERT_EQ(app_->expandState, 1);
  Gadget(gid::kExpandToggle);
  EXPECT_EQ(app_->expandState, 0);
  EXPECT_EQ(toggle->Image(), app_->ui.Image(ImageId(resources::Icon::Expand)).get());
  for (int row : {kRoot, kViewerChapter, kGadgetsTopic})
    EXPECT_EQ(RowState(row), state::kCollapsed);
  Gadget(gid::kExpandToggle);
  EXPECT_EQ(app_->expandState, 1);
  EXPECT_EQ(toggle->Image(), app_->ui.Image(ImageId(resources::Icon::Collapse)).get());
  for (int row : {kRoot, kViewerChapter, kGadgetsTopic}) EXPECT_EQ(RowState(row), state::kExpanded);
}

TEST_F(DispatchTest, DoubleClickFoldsTheSelectedRowAndKeepsItSelected) {
  app_->ui.SetGadgetState(gid::kIndexTree, kGadgetsTopic);
  Gadget(gid::kIndexTree, type::kLeftDoubleClick);
  EXPECT_EQ(RowState(kGadgetsTopic), state::kCollapsed | state::kSelected);
  Gadget(gid::kIndexTree, type::kLeftDoubleClick);
  EXPECT_EQ(RowState(kGadgetsTopic), state::kExpanded | state::kSelected);
  EXPECT_EQ(RowState(kButtonRow) & state::kSelected, 0);
}

TEST_F(DispatchTest, F1GoesTheHelpButtonsWayToTheHelpEntry) {
  app_->database.helpEntryIndex = kHelpRow;
  Tree()->CollapseAll();
  DispatchEvent(*app_, {EventKind::Menu, window_id::kMain, menu_item::kHelpKey, 0, 0, nullptr});
  auto events = DrainEvents(*app_);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, EventKind::Gadget);
  EXPECT_EQ(events[0].object, gid::kHelpButton);
  DispatchEvent(*app_, events[0]);
  EXPECT_EQ(app_->ui.GadgetState(gid::kIndexTree), kHelpRow);
  EXPECT_TRUE(RowState(kViewerChapter) & state::kExpanded);
  events = DrainEvents(*app_);
  ASSERT_EQ(events.size(), 1u) << "the selection is shown through a change event of the tree";
  EXPECT_EQ(events[0].object, gid::kIndexTree);
  EXPECT_EQ(events[0].type, type::kChange);
}

TEST_F(DispatchTest, WithoutHelpEntryTheUserIsTold) {
  for (long help : {0L, 99L}) {
    app_->database.helpEntryIndex = help;
    testsupport::MessageCatcher message;
    Menu(menu_item::kHelpKey);
    ASSERT_TRUE(testsupport::RunUntil([&] { return message.Answered(); }));
    EXPECT_EQ(message.Seen().title, "Linux OX-ZUR-Erirada-Vuvazo");
    EXPECT_EQ(message.Seen().text, "No help-file found.");
  }
}

TEST_F(DispatchTest, EscapeAndCloseHideSecondaryWindowsButEndTheMainWindow) {
  for (int window : {window_id::kSettings, window_id::kDatabaseInfo, window_id::kUpdate}) {
    Show(window);
    ASSERT_TRUE(Visible(window));
    Menu(menu_item::kEscape, window);
    EXPECT_FALSE(Visible(window)) << window;
    Show(window);
    Post(window, EventKind::CloseWindow);
    EXPECT_FALSE(Visible(window)) << window;
  }
  Show(window_id::kSettings);
  Gadget(gid::kCancelButton, type::kLeftClick, window_id::kSettings);
  EXPECT_FALSE(Visible(window_id::kSettings));
  EXPECT_FALSE(app_->quit);
  Menu(menu_item::kEscape);
  EXPECT_TRUE(app_->quit);
  app_->quit = false;
  Post(window_id::kMain, EventKind::CloseWindow);
  EXPECT_TRUE(app_->quit);
}

TEST_F(DispatchTest, SettingsButtonFillsThePathAndFontFieldsAndShowsTheWindow) {
  app_->database.directory = "/data/toc/";
  app_->database.fileName = "My Toc.xml";
  app_->settings.libPath = "../";
  app_->settings.fontName = "DejaVu Sans Mono";
  app_->settings.fontSize = 13;
  Gadget(gid::kSettingsButton);
  toolkit::Ui& ui = app_->ui;
  EXPECT_EQ(ui.GadgetText(gid::kDatabasePathField), "/data/toc/My Toc.xml");
  EXPECT_EQ(ui.GadgetText(gid::kLibraryPathField), "../");
  EXPECT_EQ(ui.GadgetText(gid::kFontNameDisplay), "DejaVu Sans Mono");
  EXPECT_EQ(ui.GadgetText(gid::kFontSizeDisplay), "13");
  EXPECT_TRUE(Visible(window_id::kSettings));
}

TEST_F(DispatchTest, EndIconAndDeleteClearTheSearchTermAndFocusTheField) {
  toolkit::Ui& ui = app_->ui;
  ui.SetActiveGadget(gid::kIndexTree);
  ui.SetGadgetText(gid::kSearchField, "Button");
  Post(window_id::kMain, EventKind::Gadget, gid::kSearchField, type::kIconPress, 1);
  EXPECT_EQ(ui.GadgetText(gid::kSearchField), "");
  EXPECT_EQ(ui.ActiveGadget(window_id::kMain), gid::kSearchField);

  ui.SetGadgetText(gid::kSearchField, "Gadget");
  ui.SetActiveGadget(gid::kIndexTree);
  Menu(menu_item::kClearSearch);
  EXPECT_EQ(ui.GadgetText(gid::kSearchField), "");
  EXPECT_EQ(ui.ActiveGadget(window_id::kMain), gid::kSearchField);
}

TEST_F(DispatchTest, F5SwitchesWordWrapOfTheCodeView) {
  GtkTextView* view = app_->ui.Find<toolkit::TextAreaGadget>(gid::kCodeView)->View();
  ASSERT_EQ(gtk_text_view_get_wrap_mode(view), GTK_WRAP_NONE);
  Menu(menu_item::kToggleWordWrap);
  EXPECT_EQ(gtk_text_view_get_wrap_mode(view), GTK_WRAP_WORD);
  Menu(menu_item::kToggleWordWrap);
  EXPECT_EQ(gtk_text_view_get_wrap_mode(view), GTK_WRAP_NONE);
}

TEST_F(DispatchTest, LanguageKeysChooseTheLanguageInTheSettings) {
  const auto language = [&] { return app_->ui.GadgetState(gid::kLanguageBox); };
  Menu(menu_item::kToggleLanguage);
  EXPECT_EQ(language(), 1);
  Menu(menu_item::kToggleLanguage);
  EXPECT_EQ(language(), 0);
  Menu(menu_item::kLanguageFrench);
  EXPECT_EQ(language(), 2);
  Menu(menu_item::kToggleLanguage);
  EXPECT_EQ(language(), 2) << "F6 leaves French alone";
  Menu(menu_item::kLanguageGermanD);
  EXPECT_EQ(language(), 0);
  Menu(menu_item::kLanguageEnglish);
  EXPECT_EQ(language(), 1);
  Menu(menu_item::kLanguageGermanG);
  EXPECT_EQ(language(), 0);
}

TEST_F(DispatchTest, DatabaseInfoIsFilledFromTheFirstEntryAndShown) {
  library::LibraryDatabase& database = app_->database;
  database.path = "/data/OX-LinuxAPI-Toc.xml";
  database.entries[kRoot].text = "Orvex API 2026-12-01";
  database.topicCount = 12;
  database.entryCount = 345;
  database.MakeCurrent(kButtonRow);
  Menu(menu_item::kAboutDatabase);
  toolkit::Ui& ui = app_->ui;
  EXPECT_EQ(database.current, 0u);
  EXPECT_EQ(ui.GadgetText(gid::kInfoDatabaseField), "/data/OX-LinuxAPI-Toc.xml");
  EXPECT_EQ(ui.GadgetText(gid::kInfoContentField), "Orvex API - Orvex API 2026-12-01");
  EXPECT_EQ(ui.GadgetText(gid::kInfoLibraryField), app_->settings.libPath);
  EXPECT_EQ(ui.GadgetText(gid::kInfoTopicsField), "12");
  EXPECT_EQ(ui.GadgetText(gid::kInfoEntriesField), "345");
  EXPECT_TRUE(Visible(window_id::kDatabaseInfo));
}

TEST_F(DispatchTest, UpdateCheckResetsTheVersionAndShowsItsWindow) {
  app_->versionText = "9.9.9";
  app_->updateHost = "127.0.0.1:1";  // nobody listens there: the check stops at once
  Menu(menu_item::kCheckUpdates);
  EXPECT_EQ(app_->versionText, "0.25.37");
  EXPECT_TRUE(Visible(window_id::kUpdate));
}

TEST_F(DispatchTest, CopyButtonPutsTheWholeCodeOnTheClipboardAndUnselects) {
  const std::string code = "Procedure Main()\n\t; ä ✰ \"quoted\"\nEndProcedure";
  toolkit::SetClipboardText("before");
  Gadget(gid::kCopyButton);
  EXPECT_EQ(ClipboardText(), "before") << "an empty view copies nothing";

  app_->ui.SetGadgetText(gid::kCodeView, code);
  Gadget(gid::kCopyButton);
  auto* view = app_->ui.Find<toolkit::TextAreaGadget>(gid::kCodeView);
  EXPECT_FALSE(gtk_text_buffer_get_has_selection(view->Buffer()));
  // Read by another program, as a user's editor would paste it.
  TempDirectory temp;
  const std::string out = temp.Path() + "/clipboard";
  ASSERT_EQ(testsupport::Run("xclip -o -selection clipboard > '" + out + "' 2>/dev/null &"), 0);
  EXPECT_TRUE(testsupport::RunUntil([&] { return TempDirectory::Read(out) == code; }))
      << TempDirectory::Read(out);
}

TEST_F(DispatchTest, TabbingOntoAndAwayFromAToolRowButtonRunsNothing) {
  app_->ui.SetGadgetText(gid::kCodeView, "Procedure Main()");
  toolkit::SetClipboardText("before");
  for (int button : {gid::kCopyButton, gid::kSettingsButton, gid::kHelpButton}) {
    Gadget(button, type::kFocus);
    Gadget(button, type::kLostFocus);
  }
  EXPECT_EQ(ClipboardText(), "before");
  EXPECT_FALSE(Visible(window_id::kSettings));
  EXPECT_EQ(app_->ui.GadgetState(gid::kIndexTree), -1) << "the help entry was not selected";
}

TEST_F(DispatchTest, CodePathCommandsNameTheFileBelowTheLibraryPath) {
  app_->currentCodeFile = "/Gadgets/Button demo.ox";
  Menu(menu_item::kCopyCodePath);
  EXPECT_EQ(ClipboardText(), buttonFile_);

  // The information window's copy image needs a selected file.
  toolkit::SetClipboardText("before");
  Gadget(gid::kInfoCopyImage, type::kLeftClick, window_id::kDatabaseInfo);
  EXPECT_EQ(ClipboardText(), "before");
  app_->ui.SetGadgetText(gid::kInfoFileField, app_->currentCodeFile);
  Gadget(gid::kInfoCopyImage, type::kLeftClick, window_id::kDatabaseInfo);
  EXPECT_EQ(ClipboardText(), buttonFile_);
}

TEST_F(DispatchTest, OpenCodeFileUsesTheEditorOrTheDesktop) {
  app_->currentCodeFile = "Gadgets/Button demo.ox";
  {
    StubPrograms stubs({"xdg-open"});
    app_->settings.codeEditorPath = stubs.Add("editor");
    Menu(menu_item::kOpenWithDefaultApp);
    EXPECT_EQ(stubs.Arguments("editor"), Arguments{buttonFile_});
    EXPECT_FALSE(stubs.Ran("xdg-open"));
  }
  {
    StubPrograms stubs({"xdg-open"});
    app_->settings.codeEditorPath.clear();
    Menu(menu_item::kOpenWithDefaultApp);
    EXPECT_EQ(stubs.Arguments("xdg-open"), Arguments{buttonFile_});
  }
}

TEST_F(DispatchTest, FolderImageOpensTheLibraryFolderOrTheProgramFolder) {
  {
    StubPrograms stubs({"xdg-open", "beep"});
    app_->ui.SetGadgetText(gid::kInfoLibraryField, library_.Path() + "/");
    Gadget(gid::kInfoLibraryFolderImage, type::kLeftClick, window_id::kDatabaseInfo);
    EXPECT_EQ(stubs.Arguments("xdg-open"), Arguments{library_.Path() + "/"});
  }
  {
    StubPrograms stubs({"xdg-open"});
    app_->ui.SetGadgetText(gid::kInfoLibraryField, "");
    Gadget(gid::kInfoLibraryFolderImage, type::kLeftClick, window_id::kDatabaseInfo);
    EXPECT_EQ(stubs.Arguments("xdg-open"), Arguments{app_->programDirectory})
        << "an empty field stands for the program folder";
  }
}

TEST_F(DispatchTest, EditViewerHelpOpensTheHelpFileOrSaysSorry) {
  {
    StubPrograms stubs({"xdg-open"});
    app_->database.helpEntryIndex = kHelpRow;
    Menu(menu_item::kEditViewerHelp);
    EXPECT_EQ(stubs.Arguments("xdg-open"), Arguments{library_.Path() + "/Viewer/ViewerHelp.txt"});
  }
  app_->database.helpEntryIndex = 0;
  testsupport::MessageCatcher message;
  Menu(menu_item::kEditViewerHelp);
  ASSERT_TRUE(testsupport::RunUntil([&] { return message.Answered(); }));
  EXPECT_EQ(message.Seen().title, "Sorry");
  EXPECT_EQ(message.Seen().text, "seems the helpfile can't be found.");
}

TEST_F(DispatchTest, LibraryFolderChoiceOfTheProgramFolderEmptiesTheFieldAndCancelKeepsIt) {
  toolkit::Ui& ui = app_->ui;
  const auto choose = [&](const std::string& folder) {
    testsupport::DialogAnswer answer(GTK_TYPE_FILE_CHOOSER_DIALOG, [&](GtkDialog* dialog) {
      if (folder.empty()) {
        gtk_dialog_response(dialog, GTK_RESPONSE_CANCEL);
        return true;
      }
      GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
      toolkit::GCharPtr shown(gtk_file_chooser_get_current_folder(chooser));
      if (!shown || folder != std::string(shown.get()) + "/") {
        gtk_file_chooser_set_current_folder(chooser, folder.c_str());
        return false;
      }
      gtk_dialog_response(dialog, GTK_RESPONSE_ACCEPT);
      return true;
    });
    ui.SetGadgetText(gid::kLibraryPathField, "previous");
    Gadget(gid::kLibraryChooseButton, type::kLeftClick, window_id::kSettings);
    EXPECT_TRUE(answer.Answered());
    return ui.GadgetText(gid::kLibraryPathField);
  };
  const std::string other = library_.Path() + "/Gadgets/";
  EXPECT_EQ(choose(other), other);
  EXPECT_EQ(choose(app_->programDirectory), "");
  EXPECT_EQ(choose(""), "previous") << "a cancelled requester keeps the field";
}

TEST_F(DispatchTest, DatabaseChoiceReplacesTheFieldOnlyWhenAFileIsChosen) {
  toolkit::Ui& ui = app_->ui;
  const std::string toc = library_.Write("Toc/OX-LinuxAPI-Toc.xml", "<a/>");
  app_->database.fileName = "OX-LinuxAPI-Toc.xml";
  ui.SetGadgetText(gid::kDatabasePathField, library_.Path() + "/Toc/old.xml");
  std::string title;
  {
    // The requester proposes the database file name in the field's folder.
    testsupport::DialogAnswer answer(GTK_TYPE_FILE_CHOOSER_DIALOG, [&](GtkDialog* dialog) {
      toolkit::GCharPtr selected(gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog)));
      if (!selected || toc != selected.get()) return false;
      title = gtk_window_get_title(GTK_WINDOW(dialog));
      gtk_dialog_response(dialog, GTK_RESPONSE_ACCEPT);
      return true;
    });
    Gadget(gid::kDatabaseChooseButton, type::kLeftClick, window_id::kSettings);
    EXPECT_TRUE(answer.Answered());
  }
  EXPECT_EQ(title, "Choose database 'OX-LinuxAPI-Toc.xml' ...");
  EXPECT_EQ(ui.GadgetText(gid::kDatabasePathField), toc);
  testsupport::DialogAnswer cancel(GTK_TYPE_FILE_CHOOSER_DIALOG, [](GtkDialog* dialog) {
    gtk_dialog_response(dialog, GTK_RESPONSE_CANCEL);
    return true;
  });
  Gadget(gid::kDatabaseChooseButton, type::kLeftClick, window_id::kSettings);
  EXPECT_EQ(ui.GadgetText(gid::kDatabasePathField), toc);
}

TEST_F(DispatchTest, FontChoiceFillsTheDisplaysWithinTheReadableSizes) {
  toolkit::Ui& ui = app_->ui;
  for (const auto& [font, size] :
       {std::pair{"Monospace Bold 13", "13"}, std::pair{"Monospace 40", "24"},
        std::pair{"Monospace 2", "6"}}) {
    testsupport::DialogAnswer answer(GTK_TYPE_FONT_CHOOSER_DIALOG, [&](GtkDialog* dialog) {
      gtk_font_chooser_set_font(GTK_FONT_CHOOSER(dialog), font);
      gtk_dialog_response(dialog, GTK_RESPONSE_OK);
      return true;
    });
    Gadget(gid::kFontChooseButton, type::kLeftClick, window_id::kSettings);
    EXPECT_EQ(ui.GadgetText(gid::kFontNameDisplay), "Monospace");
    EXPECT_EQ(ui.GadgetText(gid::kFontSizeDisplay), size) << font;
  }
}

TEST_F(DispatchTest, OnlyAnExistingEntryFileIsOfferedForDragging) {
  toolkit::Ui& ui = app_->ui;
  ui.SetGadgetState(gid::kIndexTree, -1);
  EXPECT_EQ(IndexEntryDragFile(*app_), "");
  ui.SetGadgetState(gid::kIndexTree, kButtonRow);
  EXPECT_EQ(IndexEntryDragFile(*app_), std::filesystem::canonical(buttonFile_).string());
  EXPECT_EQ(app_->database.current, static_cast<std::size_t>(kButtonRow));
  ui.SetGadgetState(gid::kIndexTree, kMissingRow);
  EXPECT_EQ(IndexEntryDragFile(*app_), "");
  ui.SetGadgetState(gid::kIndexTree, kGadgetsTopic);
  EXPECT_EQ(IndexEntryDragFile(*app_), "") << "a topic has no file";
  // A relative library path still gives the receiver an absolute path.
  app_->settings.libPath = std::filesystem::relative(library_.Path()).string();
  ui.SetGadgetState(gid::kIndexTree, kButtonRow);
  EXPECT_EQ(IndexEntryDragFile(*app_), std::filesystem::canonical(buttonFile_).string());
}

TEST_F(DispatchTest, DropsOfAnythingButFilesAreIgnored) {
  toolkit::Ui& ui = app_->ui;
  ui.SetGadgetText(gid::kDescriptionView, "Button description");
  ui.SetGadgetState(gid::kIndexTree, kButtonRow);
  auto drop = std::make_shared<toolkit::DropData>();
  drop->raw = "https://example.org/page\r\n";
  ui.Events().Post({EventKind::GadgetDrop, window_id::kMain, gid::kCodeView, 0, 0, drop});
  Settle(*app_);
  EXPECT_EQ(ui.GadgetText(gid::kDescriptionView), "Button description");
  EXPECT_EQ(ui.GadgetState(gid::kIndexTree), kButtonRow);
}

}  // namespace

// The texts of the language file on the real windows, and the language keys
// of the main window pressed for real.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/Ids.h"
#include "app/Startup.h"
#include "dialogs/DatabaseInfoWindow.h"
#include "dialogs/SettingsWindow.h"
#include "dialogs/UpdateWindow.h"
#include "library/LanguageSwitch.h"
#include "support/TempDirectory.h"
#include "toolkit/Window.h"

namespace {

namespace gid = app::gadget_id;
using testsupport::Settle;

constexpr const char* kDatabase = R"(<?xml version="1.0" encoding="UTF-8"?>
<lib Name="Root">Library 2026-12-01
  <cat Name="Fenster">
    <e theme_de="Knopf" theme_en="Button" theme_fr="Bouton" File="W/Button.ox"/>
    <e theme_de="Liste" theme_en="List" theme_fr="Liste" File="W/List.ox"/>
  </cat>
</lib>
)";

std::string ShippedLanguageFile() {
  const char* data = std::getenv("ORVEX_TEST_DATA");
  return TempDirectory::Read(std::string(data ? data : ".") +
                             "/../../sample/Library/Viewer/LinuxOX ROZ-UruZore.inf");
}

class LanguageTexts : public testing::Test {
 protected:
  // The main and settings windows over a program folder; the language file
  // is written there when given.
  void Start(long language, const std::string* languageFile) {
    ASSERT_FALSE(folder_.Path().empty());
    if (languageFile) folder_.Write("LinuxOX ROZ-UruZore.inf", *languageFile);
    app_ = testsupport::NewAppShowing(kDatabase, [&](app::AppState& app) {
      app.programDirectory = folder_.Path() + "/";
      app::CreatePopupMenus(app);
      app.settings.language = static_cast<library::Language>(language);
      dialogs::CreateSettingsWindow(app);
    });
    ASSERT_TRUE(app_);
    testsupport::DrainEvents(*app_);
  }

  toolkit::Ui& Ui() const { return app_->ui; }
  // While a message catcher waits, its polling keeps the loop from ever
  // being idle; a message would have come while the command ran.
  void SettleBriefly() { Settle(*app_, 150, 1000); }
  std::string Text(int id) const { return Ui().GadgetText(id); }
  std::string Tooltip(int id) const {
    gchar* text = gtk_widget_get_tooltip_text(Ui().GadgetWidget(id));
    std::string result = text ? text : "";
    g_free(text);
    return result;
  }
  std::string InfoMenuItem(int item) const {
    return Ui().FindMenu(app::menu_id::kInfo)->ItemText(item);
  }
  std::vector<std::string> Items(int id) const {
    std::vector<std::string> items;
    for (int i = 0; i < Ui().CountGadgetItems(id); ++i) items.push_back(Ui().GadgetItemText(id, i));
    return items;
  }
  // Presses keys on the main window for real.
  void PressKeys(const std::string& keys) {
    toolkit::Window* window = Ui().FindWindow(app::window_id::kMain);
    ASSERT_TRUE(testsupport::FocusForKeys(window->Handle()));
    ASSERT_EQ(testsupport::Run("xdotool key " + keys), 0);
    testsupport::RunUntil([&] { return !Ui().Events().Empty(); }, 2000);
    SettleBriefly();
  }

  TempDirectory folder_;
  std::unique_ptr<app::AppState> app_;
};

TEST_F(LanguageTexts, AStoredLanguageIsAppliedAtStartWithEveryTextOfTheFile) {
  const std::string file = ShippedLanguageFile();
  ASSERT_FALSE(file.empty());
  Start(1, &file);
  // As at start-up: the box shows the stored language, the setting goes
  // back to German so that the switch sees a change.
  app_->settings.language = library::Language::German;
  testsupport::MessageCatcher message;
  library::ApplyLanguage(*app_, true);
  SettleBriefly();
  EXPECT_FALSE(message.Answered());
  EXPECT_EQ(app_->settings.language, library::Language::English);
  EXPECT_EQ(Ui().GadgetItemText(gid::kIndexTree, 2), "Button");
  EXPECT_EQ(Ui().GadgetState(gid::kIndexTree), 0);

  EXPECT_EQ(Text(gid::kLanguageLabel), "Language");
  EXPECT_EQ(Text(gid::kProgramFrame), "Program settings ...");
  EXPECT_EQ(Text(gid::kDarkBox), "'Dark theme' colours");
  EXPECT_EQ(Text(gid::kFontChooseButton), "...");
  EXPECT_EQ(Items(gid::kHintBox), (std::vector<std::string>{"Both effects", "Window 'shake'",
                                                            "Search field blinks if supported"}));
  EXPECT_EQ(Items(gid::kLanguageBox)[2], "French");
  EXPECT_EQ(Ui().GadgetState(gid::kLanguageBox), 1) << "the chosen item stays";
  EXPECT_EQ(InfoMenuItem(app::menu_item::kAbout), "About Linux OX-ZUR-Erirada-Vuvazo ...");
  EXPECT_EQ(Tooltip(gid::kSearchField),
            "Search for a term in the index (& description) in the current language (or all). "
            "See settings.");
  EXPECT_EQ(Tooltip(gid::kCancelButton).empty(), false);
}

std::string AccessibleName(GtkWidget* widget) {
  const char* name = atk_object_get_name(gtk_widget_get_accessible(widget));
  return name ? name : "";
}

// The controls of a window a screen reader announces without a name: every
// shown widget that takes the focus (for one inside a combo box, the box) and
// every clickable image. The splitter and the scrolled frames around the
// views are left out: they pass the focus on or are announced by their role.
void CollectUnnamed(GtkWidget* widget, std::vector<std::string>& unnamed) {
  if (!gtk_widget_get_visible(widget)) return;
  GtkWidget* announced = widget;
  if (GtkWidget* box = gtk_widget_get_ancestor(widget, GTK_TYPE_COMBO_BOX)) announced = box;
  const bool control = (gtk_widget_get_can_focus(widget) && !GTK_IS_PANED(widget) &&
                        !GTK_IS_SCROLLED_WINDOW(widget)) ||
                       GTK_IS_EVENT_BOX(widget);
  if (control && AccessibleName(announced).empty()) {
    unnamed.push_back(std::string(G_OBJECT_TYPE_NAME(widget)) + " of gadget " +
                      std::to_string(toolkit::GadgetIdOfWidget(widget)));
  }
  if (!GTK_IS_CONTAINER(widget)) return;
  GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
  for (GList* child = children; child; child = child->next) {
    CollectUnnamed(static_cast<GtkWidget*>(child->data), unnamed);
  }
  g_list_free(children);
}

TEST_F(LanguageTexts, EveryControlIsNamedForScreenReadersInTheLanguageShown) {
  const std::string file = ShippedLanguageFile();
  Start(1, &file);
  dialogs::CreateDatabaseInfoWindow(*app_);
  dialogs::CreateUpdateWindow(*app_);
  app_->settings.language = library::Language::German;
  library::ApplyLanguage(*app_, true);
  for (int id : {app::window_id::kMain, app::window_id::kSettings, app::window_id::kDatabaseInfo,
                 app::window_id::kUpdate}) {
    std::vector<std::string> unnamed;
    CollectUnnamed(GTK_WIDGET(Ui().FindWindow(id)->Handle()), unnamed);
    EXPECT_EQ(unnamed, std::vector<std::string>{}) << "window " << id;
  }
  // Named in English: by their tooltip, by the language file's name for
  // them, or by the label beside them, which they are related to.
  EXPECT_EQ(AccessibleName(Ui().GadgetWidget(gid::kExpandToggle)), Tooltip(gid::kExpandToggle));
  EXPECT_EQ(AccessibleName(Ui().GadgetWidget(gid::kIndexTree)), "Index of the examples");
  EXPECT_EQ(AccessibleName(Ui().GadgetWidget(gid::kCodeView)), "Code of the selected entry");
  EXPECT_EQ(AccessibleName(Ui().GadgetWidget(gid::kDatabaseChooseButton)),
            Tooltip(gid::kDatabaseChooseButton))
      << "\"...\" names no button";
  EXPECT_EQ(AccessibleName(Ui().GadgetWidget(gid::kSearchModeBox)), "Search in");
  AtkRelationSet* relations = atk_object_ref_relation_set(
      gtk_widget_get_accessible(Ui().GadgetWidget(gid::kInfoTopicsField)));
  EXPECT_TRUE(atk_relation_set_contains(relations, ATK_RELATION_LABELLED_BY));
  g_object_unref(relations);
}

TEST_F(LanguageTexts, FileTextsReplaceEvenWithNothingAndSelectorsTakeTabFields) {
  const std::string file =
      "[LanguageItems]\n"
      "Key=#Cnf_SearchMode\nde=Eins\tZwei\nen=One\tTwo\nfr=Un\tDeux\tTrois\tQuatre\n"
      "Key=#Cnf_LangLabel\nde=Sprache\nen=Language & more\nfr=Langue\n"
      "[Tooltips]\n"
      "Key=#Main_Find\nde=Suchen\nen=Find <it>\nfr=Chercher\n";
  Start(0, &file);
  Ui().SetGadgetState(gid::kLanguageBox, 1);
  library::ApplyLanguage(*app_, true);
  SettleBriefly();
  // The fourth item came later: without it in the file, the German one stays.
  EXPECT_EQ(Items(gid::kSearchModeBox),
            (std::vector<std::string>{"One", "Two", "", "Index + Beschreibung + Code"}));
  EXPECT_EQ(Text(gid::kLanguageLabel), "Language & more") << "shown as plain text";
  EXPECT_EQ(Tooltip(gid::kSearchField), "Find <it>");
  EXPECT_EQ(Text(gid::kHintLabel), "") << "a text missing from the file empties the label";
  EXPECT_EQ(Tooltip(gid::kLanguageBox), "");
  EXPECT_EQ(InfoMenuItem(app::menu_item::kCheckUpdates), "");
  Ui().SetGadgetState(gid::kLanguageBox, 2);
  library::ApplyLanguage(*app_, true);
  EXPECT_EQ(Items(gid::kSearchModeBox),
            (std::vector<std::string>{"Un", "Deux", "Trois", "Quatre"}));
}

TEST_F(LanguageTexts, AMissingFileIsReportedOnceAndLeavesEveryTextEmpty) {
  Start(0, nullptr);
  testsupport::MessageCatcher message;
  Ui().SetGadgetState(gid::kLanguageBox, 1);
  library::ApplyLanguage(*app_, true);
  SettleBriefly();
  ASSERT_TRUE(message.Answered());
  EXPECT_EQ(message.Seen().title, "");
  EXPECT_EQ(message.Seen().text, "Language-File not found!");
  EXPECT_EQ(Text(gid::kLanguageLabel), "");
  EXPECT_EQ(Text(gid::kPathsFrame), "");
  EXPECT_EQ(Items(gid::kTitleBox), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(Tooltip(gid::kSettingsButton), "");
  EXPECT_EQ(Ui().GadgetItemText(gid::kIndexTree, 2), "Button") << "the index still switches";

  testsupport::MessageCatcher second;
  Ui().SetGadgetState(gid::kLanguageBox, 2);
  library::ApplyLanguage(*app_, true);
  SettleBriefly();
  EXPECT_FALSE(second.Answered()) << "one message per run";
  EXPECT_EQ(Ui().GadgetItemText(gid::kIndexTree, 2), "Bouton");
}

TEST_F(LanguageTexts, TheLanguageOfTheEnvironmentStandsInForAnUnknownLanguage) {
  const std::string file = ShippedLanguageFile();
  Start(0, &file);
  const char* saved = std::getenv("LANG");
  const std::string kept = saved ? saved : "";
  setenv("LANG", "fr_FR.UTF-8", 1);
  EXPECT_EQ(library::UiText(*app_, "#Cnf_LangLabel", false, ""), "Langue");
  setenv("LANG", "f", 1);
  EXPECT_EQ(library::UiText(*app_, "#Cnf_LangLabel", false, ""), "");
  unsetenv("LANG");
  EXPECT_EQ(library::UiText(*app_, "#Cnf_LangLabel", false, ""), "");
  if (saved) setenv("LANG", kept.c_str(), 1);
}

TEST_F(LanguageTexts, AltEAndF6SwitchOnlyTheIndexAndF6LeavesFrenchAlone) {
  Start(0, nullptr);  // no language file: the keys must not need one
  testsupport::MessageCatcher message;
  PressKeys("alt+e");
  EXPECT_EQ(Ui().GadgetItemText(gid::kIndexTree, 2), "Button");
  EXPECT_EQ(Ui().GadgetState(gid::kLanguageBox), 1);
  EXPECT_EQ(app_->settings.language, library::Language::English);
  EXPECT_EQ(Text(gid::kLanguageLabel), "Sprache") << "labels keep their texts";
  EXPECT_EQ(Tooltip(gid::kSearchField).rfind("Ausdruck suchen", 0), 0u);

  PressKeys("F6");
  EXPECT_EQ(Ui().GadgetItemText(gid::kIndexTree, 2), "Knopf");
  EXPECT_EQ(app_->settings.language, library::Language::German);

  PressKeys("alt+f");
  ASSERT_EQ(Ui().GadgetItemText(gid::kIndexTree, 2), "Bouton");
  Ui().SetGadgetState(gid::kIndexTree, 3);
  PressKeys("F6");
  EXPECT_EQ(Ui().GadgetItemText(gid::kIndexTree, 2), "Bouton");
  EXPECT_EQ(Ui().GadgetState(gid::kLanguageBox), 2);
  EXPECT_EQ(Ui().GadgetState(gid::kIndexTree), 3) << "no refill";
  EXPECT_FALSE(message.Answered());
}

}  // namespace

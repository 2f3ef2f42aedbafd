#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "app/BuildVariant.h"
#include "app/Ids.h"
#include "app/MainWindow.h"
#include "toolkit/ComboBoxGadget.h"
#include "toolkit/TextAreaGadget.h"
#include "toolkit/TextFieldGadget.h"
#include "toolkit/TreeGadget.h"

namespace {

using namespace app;
using testsupport::DrainEvents;
using testsupport::RunUntil;
using testsupport::Settle;
namespace gid = gadget_id;

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    state_ = testsupport::NewAppWithMainWindow();
    ASSERT_TRUE(state_);
    window_ = state_->ui.FindWindow(window_id::kMain);
    ASSERT_TRUE(window_);
  }

  void ResizeAndSettle(int width, int height) {
    gtk_window_resize(window_->Handle(), width, height);
    RunUntil([&] { return window_->Width() == width && window_->Height() == height; }, 3000);
    Settle(*state_);
  }

  void ExpectLaidOutFor(int width, int height) {
    toolkit::Ui& ui = state_->ui;
    EXPECT_EQ(ui.GadgetX(gid::kInfoButton), width - 40);
    EXPECT_EQ(ui.GadgetX(gid::kHelpButton), width - 72);
    EXPECT_EQ(ui.GadgetX(gid::kSettingsButton), width - 114);
    EXPECT_EQ(ui.GadgetX(gid::kCopyButton), width - 146);
    EXPECT_EQ(ui.GadgetWidth(gid::kMainSplitter), width - 10);
    EXPECT_EQ(ui.GadgetHeight(gid::kMainSplitter), height - 38);
    const int areaWidth = ui.GadgetWidth(gid::kCodeArea);
    const int areaHeight = ui.GadgetHeight(gid::kCodeArea);
    EXPECT_EQ(ui.GadgetWidth(gid::kCodeView), areaWidth - 2);
    EXPECT_EQ(ui.GadgetHeight(gid::kCodeView), areaHeight - 42);
    EXPECT_EQ(ui.GadgetWidth(gid::kDescriptionView), areaWidth - 2);
  }

  std::unique_ptr<AppState> state_;
  toolkit::Window* window_ = nullptr;
};

TEST_F(MainWindowTest, StartsWithTheDefaultGeometryAndGadgets) {
  EXPECT_EQ(window_->Title(), "Linux OX-ZUR-Erirada-Vuvazo");
  EXPECT_EQ(window_->Width(), 800);
  EXPECT_EQ(window_->Height(), 600);
  ExpectLaidOutFor(800, 600);
  toolkit::Ui& ui = state_->ui;
  EXPECT_EQ(ui.GadgetX(gid::kSearchField), 27);
  EXPECT_EQ(ui.GadgetX(gid::kHistoryBox), 186);
  EXPECT_EQ(ui.GadgetState(gid::kMainSplitter), 345);
  EXPECT_EQ(ui.CountGadgetItems(gid::kIndexTree), 0);
  EXPECT_EQ(ui.GadgetText(gid::kCodeView), "");
}

TEST_F(MainWindowTest, AdminControlsFollowTheBuild) {
  toolkit::Ui& ui = state_->ui;
  GtkWidget* admin = ui.FindGadget(gid::kAdminButton)->Outer();
  if (!app::IsAdminBuild()) {
    EXPECT_FALSE(gtk_widget_get_visible(admin));
    EXPECT_EQ(ui.FindGadget(gid::kAdminLabel1), nullptr);
    return;
  }
  EXPECT_TRUE(gtk_widget_get_visible(admin));
  toolkit::GCharPtr tooltip(gtk_widget_get_tooltip_text(admin));
  EXPECT_STREQ(tooltip.get(), "Popup admin menue");
  for (int id : {gid::kAdminLabel1, gid::kAdminLabel2, gid::kAdminLabel3}) {
    EXPECT_EQ(ui.GadgetText(id), " ") << id;
  }
  EXPECT_EQ(ui.GadgetX(gid::kAdminLabel3), 522);
}

TEST_F(MainWindowTest, ResizingKeepsButtonsRightAlignedAndFillsTheWindow) {
  ResizeAndSettle(1000, 700);
  ExpectLaidOutFor(1000, 700);
  ResizeAndSettle(900, 450);
  ExpectLaidOutFor(900, 450);
  // The index side keeps its width; the code side takes the change.
  EXPECT_EQ(state_->ui.GadgetState(gid::kMainSplitter), 345);
}

TEST_F(MainWindowTest, CannotShrinkBelowMinimumSize) {
  gtk_window_resize(window_->Handle(), 500, 300);
  testsupport::RunFor(300);
  Settle(*state_);
  EXPECT_GE(window_->Width(), 800);
  EXPECT_GE(window_->Height(), 400);
}

TEST_F(MainWindowTest, MovingTheSplitterReLaysOutTheCodeArea) {
  state_->ui.SetGadgetState(gid::kMainSplitter, 250);
  Settle(*state_);
  EXPECT_EQ(state_->ui.GadgetState(gid::kMainSplitter), 250);
  ExpectLaidOutFor(800, 600);
  EXPECT_GT(state_->ui.GadgetWidth(gid::kCodeArea), 500);
}

TEST_F(MainWindowTest, DeleteKeyGoesToTheShortcutNotTheSearchField) {
  toolkit::Ui& ui = state_->ui;
  auto* field = ui.Find<toolkit::TextFieldGadget>(gid::kSearchField);
  ASSERT_TRUE(field);
  ui.SetActiveGadget(gid::kSearchField);
  ASSERT_TRUE(testsupport::FocusForKeys(window_->Handle()));
  gtk_entry_set_text(field->Entry(), "abc");
  gtk_editable_set_position(GTK_EDITABLE(field->Entry()), 0);
  testsupport::RunFor(50);
  DrainEvents(*state_);

  ASSERT_EQ(testsupport::Run("xdotool key Delete"), 0);
  ASSERT_TRUE(RunUntil([&] { return !ui.Events().Empty(); }));
  testsupport::RunFor(100);

  EXPECT_EQ(ui.GadgetText(gid::kSearchField), "abc");
  bool shortcutQueued = false;
  for (const toolkit::Event& event : DrainEvents(*state_)) {
    shortcutQueued |=
        event.kind == toolkit::EventKind::Menu && event.object == menu_item::kClearSearch;
  }
  EXPECT_TRUE(shortcutQueued);
}

TEST_F(MainWindowTest, ShortcutsQueueTheirMenuItems) {
  GObject* window = G_OBJECT(window_->Handle());
  struct Case {
    guint key;
    GdkModifierType modifiers;
    int item;
  };
  const Case cases[] = {
      {GDK_KEY_F3, GdkModifierType{}, menu_item::kSearchNext},
      {GDK_KEY_Return, GdkModifierType{}, menu_item::kReturn},
      {GDK_KEY_KP_Enter, GdkModifierType{}, menu_item::kReturn},
      {GDK_KEY_Escape, GdkModifierType{}, menu_item::kEscape},
      {GDK_KEY_F1, GdkModifierType{}, menu_item::kHelpKey},
      {GDK_KEY_F5, GdkModifierType{}, menu_item::kToggleWordWrap},
      {GDK_KEY_F6, GdkModifierType{}, menu_item::kToggleLanguage},
      {GDK_KEY_g, GDK_MOD1_MASK, menu_item::kLanguageGermanG},
      {GDK_KEY_e, GDK_MOD1_MASK, menu_item::kLanguageEnglish},
      {GDK_KEY_d, GDK_MOD1_MASK, menu_item::kLanguageGermanD},
      {GDK_KEY_f, GDK_MOD1_MASK, menu_item::kLanguageFrench},
  };
  for (const Case& c : cases) {
    DrainEvents(*state_);
    EXPECT_TRUE(gtk_accel_groups_activate(window, c.key, c.modifiers)) << c.item;
    const auto events = DrainEvents(*state_);
    ASSERT_EQ(events.size(), 1u) << c.item;
    EXPECT_EQ(events[0].kind, toolkit::EventKind::Menu);
    EXPECT_EQ(events[0].window, window_id::kMain);
    EXPECT_EQ(events[0].object, c.item);
  }
  EXPECT_FALSE(gtk_accel_groups_activate(window, GDK_KEY_g, GdkModifierType{}));
}

TEST_F(MainWindowTest, ToolButtonsKeepTheFocusAndNameThemselves) {
  toolkit::Ui& ui = state_->ui;
  const std::pair<int, const char*> buttons[] = {
      {gid::kCopyButton,
       "Kopiert den kompletten Code in die Zwischenablage. Auch Drag&Drop von "
       "Indexeinträgen nach OX möglich!"},
      {gid::kSettingsButton,
       "Programmeinstellungen & Requester für die Datenbank (xml) und das "
       "Library-Oberverzeichnis."},
      {gid::kHelpButton, "Öffnet die Programm-Hilfe-Datei im Editor."},
      {gid::kInfoButton, "Öffnet den Programm-Info-Dialog."},
  };
  for (const auto& [id, tooltip] : buttons) {
    GtkWidget* button = ui.GadgetWidget(id);
    ASSERT_TRUE(button) << id;
    GtkWidget* image = gtk_button_get_image(GTK_BUTTON(button));
    ASSERT_TRUE(image && GTK_IS_IMAGE(image)) << id;
    EXPECT_NE(toolkit::ShownScaled(GTK_IMAGE(image)), nullptr) << id;
    toolkit::GCharPtr text(gtk_widget_get_tooltip_text(button));
    EXPECT_STREQ(text.get(), tooltip) << id;
    EXPECT_STREQ(atk_object_get_name(gtk_widget_get_accessible(button)), tooltip) << id;
    EXPECT_FALSE(gtk_widget_get_focus_on_click(button)) << id;
  }
}

TEST_F(MainWindowTest, HistoryBoxTakesNoTyping) {
  auto* history = state_->ui.Find<toolkit::ComboBoxGadget>(gid::kHistoryBox);
  ASSERT_TRUE(history && history->Entry());
  EXPECT_FALSE(gtk_editable_get_editable(GTK_EDITABLE(history->Entry())));
  EXPECT_FALSE(gtk_widget_get_can_focus(GTK_WIDGET(history->Entry())));
}

TEST_F(MainWindowTest, TextAreasAndTreeAreSetUpForReading) {
  toolkit::Ui& ui = state_->ui;
  auto* code = ui.Find<toolkit::TextAreaGadget>(gid::kCodeView);
  auto* description = ui.Find<toolkit::TextAreaGadget>(gid::kDescriptionView);
  auto* tree = ui.Find<toolkit::TreeGadget>(gid::kIndexTree);
  ASSERT_TRUE(code && description && tree);
  EXPECT_FALSE(gtk_text_view_get_editable(code->View()));
  EXPECT_FALSE(gtk_text_view_get_cursor_visible(code->View()));
  EXPECT_EQ(gtk_text_view_get_wrap_mode(code->View()), GTK_WRAP_NONE);
  EXPECT_EQ(gtk_text_view_get_left_margin(code->View()), 4);
  EXPECT_EQ(gtk_text_view_get_right_margin(code->View()), 4);
  EXPECT_TRUE(gtk_text_view_get_editable(description->View()));
  EXPECT_EQ(gtk_text_view_get_wrap_mode(description->View()), GTK_WRAP_WORD);
  EXPECT_FALSE(gtk_tree_view_get_enable_search(tree->View()));
  EXPECT_EQ(gtk_tree_view_get_level_indentation(tree->View()), -4);
  PangoTabArray* tabs = gtk_text_view_get_tabs(code->View());
  ASSERT_TRUE(tabs);
  gint position = 0;
  PangoTabAlign alignment{};
  pango_tab_array_get_tab(tabs, 0, &alignment, &position);
  pango_tab_array_free(tabs);
  EXPECT_EQ(position, 16384);
  EXPECT_EQ(alignment, PANGO_TAB_LEFT);
}

}  // namespace

// The main window: tool row, index tree, description pane and code view.
#include "app/MainWindow.h"

#include <algorithm>

#include "app/AppState.h"
#include "app/BuildVariant.h"
#include "app/Ids.h"
#include "codeview/CodeZoom.h"
#include "library/IndexKeys.h"
#include "library/IndexRowMarks.h"
#include "toolkit/ComboBoxGadget.h"
#include "toolkit/MessageBox.h"
#include "toolkit/SplitterGadget.h"
#include "toolkit/TextAreaGadget.h"
#include "toolkit/TextFieldGadget.h"
#include "toolkit/TreeGadget.h"
#include "toolkit/core/ShortcutCode.h"

namespace app {
namespace {

using resources::Icon;
using toolkit::kLeaveUnchanged;
namespace gid = gadget_id;

// Scroll-bar sliders stay at least 10 pixels long.
constexpr const char* kScrollbarStyle = "GtkScrollbar {\n-GtkScrollbar-min-slider-length: 10px;\n}";

void InstallScreenStyle() {
  GtkCssProvider* provider = gtk_css_provider_new();
  // The sheet uses a style property that newer toolkits report as
  // deprecated; that report is not a fault of ours, so it is not printed.
  toolkit::ConnectSignal(
      provider, "parsing-error", +[](GtkCssProvider*, GtkCssSection*, GError*, gpointer) {},
      nullptr);
  gtk_css_provider_load_from_data(provider, kScrollbarStyle, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
}

// An image button is left out when its icon does not decode.
void CreateIconButton(toolkit::Ui& ui, int id, int x, Icon icon) {
  if (CatchIcon(ui, icon)) ui.CreateImageButton(id, x, 2, 30, 30, ImageId(icon));
}

void CreateSearchField(AppState& app) {
  toolkit::Ui& ui = app.ui;
  auto* field = dynamic_cast<toolkit::TextFieldGadget*>(
      ui.CreateTextField(gid::kSearchField, 27, 2, 153, 30));
  if (!field) return;
  GtkEntry* entry = field->Entry();
  gtk_entry_set_icon_from_icon_name(entry, GTK_ENTRY_ICON_PRIMARY, "edit-find-symbolic");
  gtk_entry_set_icon_from_icon_name(entry, GTK_ENTRY_ICON_SECONDARY, "edit-clear-symbolic");
  for (GtkEntryIconPosition position : {GTK_ENTRY_ICON_PRIMARY, GTK_ENTRY_ICON_SECONDARY}) {
    gtk_entry_set_icon_activatable(entry, position, TRUE);
    gtk_entry_set_icon_sensitive(entry, position, TRUE);
  }
  gtk_entry_set_icon_tooltip_text(entry, GTK_ENTRY_ICON_PRIMARY, "[F3] Search next item.");
  gtk_entry_set_icon_tooltip_text(entry, GTK_ENTRY_ICON_SECONDARY, "[Del] Deletes search term.");
  toolkit::ConnectSignal(
      entry, "icon-press",
      +[](GtkEntry*, GtkEntryIconPosition position, GdkEvent*, AppState* state) {
        state->ui.PostEvent(toolkit::EventKind::Gadget, window_id::kMain, gid::kSearchField,
                            toolkit::event_type::kIconPress,
                            position == GTK_ENTRY_ICON_PRIMARY ? 0 : 1);
      },
      &app);
}

void CreateCodeArea(AppState& app) {
  toolkit::Ui& ui = app.ui;
  ui.CreateContainer(gid::kCodeArea, 365, 35, 430, 560);
  ui.CreateTextArea(gid::kDescriptionView, 0, 0, 430, 40, toolkit::text_area_flag::kWordWrap);
  ui.CreateTextArea(gid::kCodeView, 0, 42, 430, 512, toolkit::text_area_flag::kReadOnly);
  ui.SetGadgetColour(gid::kCodeView, toolkit::ColourAttribute::Text, app.colours.codeText);
  ui.SetGadgetFont(gid::kCodeView, font_id::kCode);
  for (int id : {gid::kDescriptionView, gid::kCodeView}) {
    if (auto* area = ui.Find<toolkit::TextAreaGadget>(id)) {
      gtk_text_view_set_left_margin(area->View(), 4);
      gtk_text_view_set_right_margin(area->View(), 4);
    }
  }
  ui.CloseContainer();
}

void SetTooltips(toolkit::Ui& ui) {
  ui.SetGadgetTooltip(gid::kExpandToggle, "Öffnet und schließt alle Knoten.");
  ui.SetGadgetTooltip(gid::kSearchField,
                      "Ausdruck suchen im Index (& Beschreibung) in der akt. Sprache (oder alle). "
                      "Siehe Settings.");
  ui.SetGadgetTooltip(gid::kHistoryBox, "Liste aller zuletzt gewählten Code-Dateien.");
  ui.SetGadgetTooltip(gid::kCopyButton,
                      "Kopiert den kompletten Code in die Zwischenablage. Auch Drag&Drop von "
                      "Indexeinträgen nach OX möglich!");
  ui.SetGadgetTooltip(gid::kSettingsButton,
                      "Programmeinstellungen & Requester für die Datenbank (xml) und das "
                      "Library-Oberverzeichnis.");
  ui.SetGadgetTooltip(gid::kHelpButton, "Öffnet die Programm-Hilfe-Datei im Editor.");
  ui.SetGadgetTooltip(gid::kInfoButton, "Öffnet den Programm-Info-Dialog.");
  ui.SetGadgetTooltip(gid::kDescriptionView, "Zeigt eine kurze Beschreibung der Funktion.");
}

void RegisterShortcuts(toolkit::Ui& ui) {
  using namespace toolkit;
  struct Binding {
    int code;
    int item;
  };
  const Binding bindings[] = {
      {key::kF3, menu_item::kSearchNext},
      {key::kReturn, menu_item::kReturn},  // keypad Enter comes with it
      {key::kDelete, menu_item::kClearSearch},
      {key::kEscape, menu_item::kEscape},
      {key::kF1, menu_item::kHelpKey},
      {key::kF5, menu_item::kToggleWordWrap},
      {key::kF6, menu_item::kToggleLanguage},
      {kShortcutAlt | 'G', menu_item::kLanguageGermanG},
      {kShortcutAlt | 'E', menu_item::kLanguageEnglish},
      {kShortcutAlt | 'D', menu_item::kLanguageGermanD},
      {kShortcutAlt | 'F', menu_item::kLanguageFrench},
  };
  for (const Binding& binding : bindings)
    ui.AddShortcut(window_id::kMain, binding.code, binding.item);
}

void CreateAdminControls(toolkit::Ui& ui) {
  if (!IsAdminBuild()) {
    ui.HideGadget(gid::kAdminButton, true);
    return;
  }
  ui.HideGadget(gid::kAdminButton, false);
  ui.SetGadgetTooltip(gid::kAdminButton, "Popup admin menue");
  ui.CreateLabel(gid::kAdminLabel1, 452, 2, 80, 16, " ");
  ui.CreateLabel(gid::kAdminLabel2, 452, 17, 80, 16, " ");
  ui.CreateLabel(gid::kAdminLabel3, 522, 2, 80, 16, " ");
}

}  // namespace

bool CreateMainWindow(AppState& app) {
  if (!BuildMainWindow(app)) return false;
  app.ui.ShowWindow(window_id::kMain, true);
  return true;
}

bool BuildMainWindow(AppState& app) {
  toolkit::Ui& ui = app.ui;
  const library::AppSettings& settings = app.settings;
  using namespace toolkit::window_flag;
  toolkit::Window* window = ui.OpenWindow(
      window_id::kMain, static_cast<int>(settings.winX), static_cast<int>(settings.winY),
      static_cast<int>(settings.winWidth), static_cast<int>(settings.winHight), kProgramTitle,
      kSystemMenu | kMinimizeGadget | kMaximizeGadget | kSizeGadget | kInvisible);
  if (!window) {
    toolkit::ShowMessageBox(kProgramTitle, "Main-Window couldn't be created!");
    return false;
  }
  window->SetMinimumSize(800, 400);
  InstallScreenStyle();

  if (CatchIcon(ui, Icon::Expand))
    ui.CreateImage(gid::kExpandToggle, 1, 17, 16, 16, ImageId(Icon::Expand));
  CatchIcon(ui, Icon::Collapse);
  CreateSearchField(app);
  CreateIconButton(ui, gid::kAdminButton, 418, Icon::Admin);
  ui.HideGadget(gid::kAdminButton, true);
  ui.CreateComboBox(gid::kHistoryBox, 186, 2, 230, 30, toolkit::combo_flag::kEditable);
  CreateIconButton(ui, gid::kCopyButton, 658, Icon::Copy);
  CreateIconButton(ui, gid::kSettingsButton, 690, Icon::Settings);
  CreateIconButton(ui, gid::kHelpButton, 732, Icon::Help);
  CreateIconButton(ui, gid::kInfoButton, 764, Icon::Info);

  ui.CreateTree(gid::kIndexTree, 5, 35, 355, 560);
  CreateCodeArea(app);
  ui.CreateSplitter(gid::kMainSplitter, 5, 35, 790, 562, gid::kIndexTree, gid::kCodeArea,
                    toolkit::splitter_flag::kSideBySide | toolkit::splitter_flag::kSecondResizes);
  ui.SetGadgetAttribute(gid::kMainSplitter, toolkit::GadgetAttribute::SplitterFirstMinimumSize,
                        100);
  ui.SetGadgetAttribute(gid::kMainSplitter, toolkit::GadgetAttribute::SplitterSecondMinimumSize,
                        100);
  ui.SetGadgetState(gid::kMainSplitter, static_cast<int>(settings.splitter));

  SetTooltips(ui);
  if (auto* field = ui.Find<toolkit::TextFieldGadget>(gid::kSearchField)) {
    gtk_entry_set_placeholder_text(field->Entry(), "Search...");
  }

  // Clicking these leaves the keyboard focus where it was, normally in the search field.
  for (int id : {gid::kHistoryBox, gid::kCopyButton, gid::kSettingsButton, gid::kHelpButton,
                 gid::kInfoButton, gid::kAdminButton}) {
    if (GtkWidget* widget = ui.GadgetWidget(id)) gtk_widget_set_focus_on_click(widget, FALSE);
  }

  auto* tree = ui.Find<toolkit::TreeGadget>(gid::kIndexTree);
  if (auto* code = ui.Find<toolkit::TextAreaGadget>(gid::kCodeView)) {
    gtk_text_view_set_cursor_visible(code->View(), FALSE);
    gtk_widget_add_events(code->Widget(), GDK_SMOOTH_SCROLL_MASK);
    toolkit::ConnectSignal(code->Widget(), "scroll-event", &codeview::OnCodeViewScroll, &app);
  }
  app.zoomFactors = {0.5787, 0.6444, 0.8333, 1.0, 1.2, 1.44, 1.728, 2.0};
  if (tree) {
    gtk_tree_view_set_enable_search(tree->View(), FALSE);
    toolkit::ConnectSignal(tree->Widget(), "key-press-event", &library::OnIndexKeyPress, &app);
  }

  ui.SetGadgetImage(gid::kExpandToggle, ImageId(Icon::Collapse));
  ui.EnableGadgetDrop(gid::kCodeView,
                      static_cast<GdkDragAction>(GDK_ACTION_COPY | GDK_ACTION_MOVE));
  CatchIcon(ui, Icon::NewEntry);
  CatchIcon(ui, Icon::ChangedEntry);

  // One left-aligned tab stop at 16384 Pango units.
  app.tabStops.reset(pango_tab_array_new_with_positions(1, FALSE, PANGO_TAB_LEFT, 16384));
  if (auto* code = ui.Find<toolkit::TextAreaGadget>(gid::kCodeView)) {
    gtk_text_view_set_tabs(code->View(), app.tabStops.get());
  }

  RegisterShortcuts(ui);

  if (auto* description = ui.Find<toolkit::TextAreaGadget>(gid::kDescriptionView)) {
    gtk_scrolled_window_set_min_content_height(GTK_SCROLLED_WINDOW(description->Outer()), 40);
  }
  if (tree) {
    gtk_tree_view_set_level_indentation(tree->View(), -4);
    gtk_tree_view_column_set_cell_data_func(tree->Column(), tree->TextRenderer(),
                                            &library::RenderIndexRow, &app, nullptr);
  }
  if (auto* history = ui.Find<toolkit::ComboBoxGadget>(gid::kHistoryBox)) {
    if (GtkEntry* entry = history->Entry()) {
      gtk_editable_set_editable(GTK_EDITABLE(entry), FALSE);
      gtk_widget_set_can_focus(GTK_WIDGET(entry), FALSE);
    }
  }
  CreateAdminControls(ui);
  return true;
}

void LayoutMainWindow(AppState& app, bool resizeSplitter) {
  toolkit::Ui& ui = app.ui;
  const toolkit::Window* window = ui.FindWindow(window_id::kMain);
  if (!window) return;
  const int width = window->Width();
  const int height = window->Height();
  ui.ResizeGadget(gid::kInfoButton, width - 40, kLeaveUnchanged, kLeaveUnchanged, kLeaveUnchanged);
  ui.ResizeGadget(gid::kHelpButton, width - 72, kLeaveUnchanged, kLeaveUnchanged, kLeaveUnchanged);
  ui.ResizeGadget(gid::kSettingsButton, width - 114, kLeaveUnchanged, kLeaveUnchanged,
                  kLeaveUnchanged);
  ui.ResizeGadget(gid::kCopyButton, width - 146, kLeaveUnchanged, kLeaveUnchanged, kLeaveUnchanged);
  if (resizeSplitter) {
    ui.ResizeGadget(gid::kMainSplitter, kLeaveUnchanged, kLeaveUnchanged, std::max(0, width - 10),
                    std::max(0, height - 38));
  }
  const int areaWidth = ui.GadgetWidth(gid::kCodeArea);
  const int areaHeight = ui.GadgetHeight(gid::kCodeArea);
  ui.ResizeGadget(gid::kDescriptionView, kLeaveUnchanged, kLeaveUnchanged,
                  std::max(0, areaWidth - 2), kLeaveUnchanged);
  ui.ResizeGadget(gid::kCodeView, kLeaveUnchanged, kLeaveUnchanged, std::max(0, areaWidth - 2),
                  std::max(0, areaHeight - 42));
}

}  // namespace app

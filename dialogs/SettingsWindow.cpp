// The settings window: created once and hidden, filled and shown by the main
// window's settings button, and the commands of its buttons.
#include "dialogs/SettingsWindow.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/AppState.h"
#include "app/Ids.h"
#include "dialogs/GroupFrame.h"
#include "library/core/PathRules.h"
#include "library/core/SearchCandidates.h"
#include "toolkit/ComboBoxGadget.h"
#include "toolkit/LabelGadget.h"
#include "toolkit/Requesters.h"
#include "toolkit/TextFieldGadget.h"
#include "toolkit/core/ShortcutCode.h"

namespace dialogs {
namespace {

namespace gid = app::gadget_id;
using resources::Icon;

struct Selector {
  int id;
  int x, y, width, height;
  const char* tooltip;
  const char* items[4];  // the last one nullptr where a selector has three
};

constexpr Selector kSelectors[] = {
    {gid::kSearchModeBox,
     240,
     262,
     290,
     32,
     "Wählt den Umfang des Suchmodus.",
     {"Index + Beschreibung (akt. Sprache)", "Nur Index (akt. Sprache)",
      "Index + Beschreibung (alle Sprachen)", library::kCodeScopeGermanItem}},
    {gid::kHintBox,
     240,
     294,
     290,
     32,
     "Wählt den Typ für Hinweise bei nicht (weiter) gefundenen Suchbegriffen.",
     {"Beide Effekte", "Fenster-'shake'", "Suchfeld blinkt falls unterstützt"}},
    {gid::kTitleBox,
     240,
     326,
     290,
     32,
     "Wählt den Inhalt (Länge) der Fenster-Titelzeile.",
     {"Nur Dateiname", "Unterordner & Dateiname", "Voller Pfad & Dateiname"}},
    {gid::kMarkingBox,
     240,
     358,
     290,
     32,
     "Wählt die Kennzeichnung für Schlüsselwörter. Reiner Text ist 'Aus'.",
     {"Reiner Text", "Fett, graue Kommentare", "Blau+Fett, graue Kommentare"}},
};

void CreatePathControls(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  CreateGroupFrame(app, gid::kPathsFrame, 5, 5, 624, 168,
                   "Pfade (Datenbank) temporär oder dauerhaft ändern ...");
  ui.CreateLabel(gid::kDatabaseLabel, 15, 15, 400, 26, "Datenbank-Pfad (*.xml):");
  // Its text sits on the field below, clear of the frame's title above.
  if (GtkWidget* label = ui.GadgetWidget(gid::kDatabaseLabel)) {
    gtk_label_set_yalign(GTK_LABEL(label), 1.0F);
  }
  ui.CreateTextField(gid::kDatabasePathField, 20, 42, 555, 26, toolkit::text_field_flag::kReadOnly);
  ui.RelateLabel(gid::kDatabaseLabel, gid::kDatabasePathField);
  ui.SetGadgetTooltip(gid::kDatabasePathField, "Pfad der Datenbank-Datei (xml).");
  ui.CreateButton(gid::kDatabaseChooseButton, 578, 42, 46, 26, "...");
  ui.SetGadgetTooltip(gid::kDatabaseChooseButton, "Dateiauswahl für die Datenbank-Datei (xml)");
  ui.CreateLabel(gid::kLibraryLabel, 15, 71, 500, 26,
                 "Library-Pfad (Hauptordner über ButtonGadget, CalenderGadget,...):");
  ui.CreateTextField(gid::kLibraryPathField, 20, 91, 555, 26, toolkit::text_field_flag::kReadOnly);
  ui.RelateLabel(gid::kLibraryLabel, gid::kLibraryPathField);
  ui.SetGadgetTooltip(gid::kLibraryPathField,
                      "Hauptpfad (Hautordner) der Library. Kann leer bleiben falls identisch mit "
                      "dem Viewer-Verzeichnis.");
  ui.CreateButton(gid::kLibraryChooseButton, 578, 91, 46, 26, "...");
  ui.SetGadgetTooltip(gid::kLibraryChooseButton,
                      "Dateiauswahl für das Library-Hauptverzeichnis, falls nicht identisch mit "
                      "Viewer-Verzeichnis.");
  ui.CreateCheckBox(gid::kSavePathsBox, 15, 126, 300, 24, "Speichert Pfade mit 'Speichern'");
  ui.SetGadgetTooltip(gid::kSavePathsBox,
                      "Ausgewählt werden die Pfadeinstellungen bei 'Speichern' mitgesichert, "
                      "anders kann temporät gearbeitet werden.");
  ui.CreateStockButton(gid::kApplyButton, 449, 128, 175, 36, "gtk-apply");
  ui.SetGadgetTooltip(gid::kApplyButton,
                      "Übernimmt (temporär) die Pfade und lädt die Datenbank neu.");
}

void CreateLanguageBox(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  ui.CreateLabel(gid::kLanguageLabel, 20, 207, 215, 26, "Sprache");
  ui.CreateComboBox(gid::kLanguageBox, 240, 200, 290, 32, toolkit::combo_flag::kImages);
  ui.RelateLabel(gid::kLanguageLabel, gid::kLanguageBox);
  ui.SetGadgetTooltip(
      gid::kLanguageBox,
      "Wählt die Sprache für den Index und die Beschreibung. Fränzösich ist noch Englisch!");
  const struct {
    const char* text;
    Icon flag;
  } languages[] = {
      {"German", Icon::FlagGerman}, {"English", Icon::FlagBritish}, {"French", Icon::FlagFrench}};
  for (const auto& language : languages) {
    ui.AddGadgetItem(gid::kLanguageBox, -1, language.text, app::IconImage(ui, language.flag));
  }
}

void CreateFontControls(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  using namespace toolkit::label_flag;
  ui.CreateLabel(gid::kFontLabel, 20, 239, 215, 32, "Zeichensatz für Dateianzeige");
  ui.CreateLabel(gid::kFontNameDisplay, 240, 232, 290, 30, "", kCenter | kBorder);
  ui.RelateLabel(gid::kFontLabel, gid::kFontNameDisplay);
  ui.SetGadgetTooltip(gid::kFontNameDisplay,
                      "Aktuell gewählter Zeichensatz für den Code. Änderung über die "
                      "Schaltfläche rechts.");
  ui.CreateLabel(gid::kFontSizeDisplay, 535, 236, 40, 22, "", kCenter | kBorder);
  ui.CreateButton(gid::kFontChooseButton, 578, 234, 46, 26, "...");
  ui.SetGadgetTooltip(gid::kFontChooseButton, "Öffnet die Zeichensatz-Auswahl.");
}

void CreateProgramControls(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  CreateGroupFrame(app, gid::kProgramFrame, 5, 180, 624, 282, "Programm-Einstellungen ...");
  CreateLanguageBox(app);
  CreateFontControls(app);
  // In the order of the selectors they name.
  const struct {
    int id;
    int y;
    int height;
    const char* text;
  } labels[std::size(kSelectors)] = {
      {gid::kSearchModeLabel, 269, 26, "Suche in"},
      {gid::kHintLabel, 301, 26, "'Nicht gefunden' Hinweis"},
      {gid::kTitleLabel, 333, 26, "Fenstertitel-Inhalt"},
      {gid::kMarkingLabel, 365, 32, "Editor Code-Hervorhebung"},
  };
  for (const auto& label : labels)
    ui.CreateLabel(label.id, 20, label.y, 215, label.height, label.text);
  for (std::size_t i = 0; i < std::size(kSelectors); ++i) {
    const Selector& selector = kSelectors[i];
    ui.CreateComboBox(selector.id, selector.x, selector.y, selector.width, selector.height);
    ui.RelateLabel(labels[i].id, selector.id);
    ui.SetGadgetTooltip(selector.id, selector.tooltip);
    for (const char* item : selector.items) {
      if (item) ui.AddGadgetItem(selector.id, -1, item);
    }
  }
  ui.CreateCheckBox(gid::kNewsBox, 15, 397, 320, 24, "Neues/Geändertes kennzeichnen (Index)");
  ui.SetGadgetTooltip(gid::kNewsBox,
                      "Blue Index-Schrift für neue Themen. Ausschalten falls bei dunklen "
                      "Hintergründen nicht mehr lesbar.");
  ui.CreateCheckBox(gid::kDarkBox, 340, 397, 270, 24, "'Dark-Theme' Farben");
  ui.SetGadgetTooltip(gid::kDarkBox, "Setzt angepasste Farben für 'Dark-Themes'.");
  ui.CreateCheckBox(gid::kGeometryBox, 15, 427, 320, 24, "Fensterpos. u. größe mitspeichern");
  ui.SetGadgetTooltip(gid::kGeometryBox,
                      "Ausgewählt werden immer die letzte Fensterposition und -größe sowie die "
                      "Splitterposition gespeichert.");
}

void CreateClosingButtons(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  ui.CreateStockButton(gid::kCancelButton, 5, 470, 307, 36, "gtk-cancel");
  ui.SetGadgetTooltip(gid::kCancelButton, "Schließt ohne Übernahme der Änderungen.");
  ui.CreateStockButton(gid::kSaveButton, 322, 470, 307, 36, "gtk-save");
  ui.SetGadgetTooltip(gid::kSaveButton,
                      "Übernimmt und speichert die Einstellungen in der *.ini-Datei.");
}

// Takes a selector's item over into a setting; a box with nothing chosen
// leaves the setting alone.
template <typename Choice>
void TakeItem(const toolkit::Ui& ui, int id, Choice& setting) {
  const int item = ui.GadgetState(id);
  if (item >= 0) setting = static_cast<Choice>(item);
}

// The item a stored choice shows among a selector's items: none for a value
// that names no item.
template <typename Choice>
int ItemOf(Choice choice, std::int64_t itemCount = 3) {
  const auto value = static_cast<std::int64_t>(choice);
  return value >= 0 && value < itemCount ? static_cast<int>(value) : -1;
}

// The controls that show a stored setting start with its value.
void ShowStoredSettings(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  const library::AppSettings& settings = app.settings;
  // A stored value that names no item leaves its box without a choice, so a
  // later Save keeps the value instead of storing an item in its place.
  // The language is different: the box is the index language, and every
  // language switch takes its item into the setting. Without a choice, the
  // switches at start-up and Save would store -1 and put the texts of no
  // language, empty ones, on every label and menu item. A stored value that
  // names no language therefore reads as German, the built-in language.
  const int language = ItemOf(settings.language);
  ui.SetGadgetState(gid::kLanguageBox, language < 0 ? 0 : language);
  ui.SetGadgetState(gid::kSearchModeBox, ItemOf(settings.searchMode, 4));
  ui.SetGadgetState(gid::kHintBox, ItemOf(settings.searchHint));
  ui.SetGadgetState(gid::kTitleBox, ItemOf(settings.sourceInTitle));
  ui.SetGadgetState(gid::kMarkingBox, ItemOf(settings.codeMarks));
  ui.SetGadgetState(gid::kSavePathsBox, settings.savePaths != 0);
  ui.SetGadgetState(gid::kNewsBox, settings.dyeingNews != 0);
  ui.SetGadgetState(gid::kDarkBox, settings.darkMode != 0);
  ui.SetGadgetState(gid::kGeometryBox, settings.saveWinSetting != 0);
  ui.SetGadgetText(gid::kFontNameDisplay, settings.fontName);
  ui.SetGadgetText(gid::kFontSizeDisplay, std::to_string(settings.fontSize));
}

// Clicking these does not take the keyboard focus away from where it was.
void SetFocusRules(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  for (int id : {gid::kDatabaseChooseButton, gid::kLibraryChooseButton, gid::kFontChooseButton,
                 gid::kSavePathsBox, gid::kGeometryBox, gid::kLanguageBox, gid::kSearchModeBox,
                 gid::kHintBox, gid::kTitleBox, gid::kMarkingBox}) {
    if (GtkWidget* widget = ui.GadgetWidget(id)) gtk_widget_set_focus_on_click(widget, FALSE);
  }
  ui.SetActiveGadget(gid::kCancelButton);
}

// The decimal value of the font size display; fallback when it holds none.
std::int64_t DisplayedFontSize(const std::string& text, std::int64_t fallback) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end != text.data() ? value : fallback;
}

}  // namespace

void CreateSettingsWindow(app::AppState& app) {
  using namespace toolkit::window_flag;
  toolkit::Window* window = app.ui.OpenWindow(
      app::window_id::kSettings, 0, 0, 634, 512, std::string(app::kProgramTitle) + " - Settings",
      kSystemMenu | kScreenCentered | kInvisible, app::window_id::kMain);
  if (!window) return;
  window->AddShortcut(toolkit::key::kEscape, app::menu_item::kEscape);
  CreatePathControls(app);
  CreateProgramControls(app);
  CreateClosingButtons(app);
  ShowStoredSettings(app);
  SetFocusRules(app);
}

void OpenSettingsWindow(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  ui.SetGadgetText(gid::kDatabasePathField, app.database.directory + app.database.fileName);
  ui.SetGadgetText(gid::kLibraryPathField, app.settings.libPath);
  ui.SetGadgetText(gid::kFontNameDisplay, app.settings.fontName);
  ui.SetGadgetText(gid::kFontSizeDisplay, std::to_string(app.settings.fontSize));
  ui.ShowWindow(app::window_id::kSettings, true);
}

void ChooseDatabaseFile(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  const std::string& fileName = app.database.fileName;
  const std::string preset =
      library::DirectoryPart(ui.GadgetText(gid::kDatabasePathField)) + fileName;
  const std::string chosen = toolkit::OpenFileRequester("Choose database '" + fileName + "' ...",
                                                        preset, "XML files (*.xml)|*.xml", 0);
  if (!chosen.empty()) ui.SetGadgetText(gid::kDatabasePathField, chosen);
}

void ChooseLibraryFolder(app::AppState& app) {
  std::string chosen = toolkit::PathRequester("Choose Library-Main-Path ...", app.settings.libPath);
  // Cancelled: the field keeps its path. Emptying it would point the library
  // at the program folder, and the next Apply or Save would lose every code file.
  if (chosen.empty()) return;
  // An empty field stands for the program folder.
  if (chosen == app.programDirectory) chosen.clear();
  app.ui.SetGadgetText(gid::kLibraryPathField, chosen);
}

void ChooseCodeFont(app::AppState& app) {
  const library::AppSettings& settings = app.settings;
  const toolkit::FontChoice choice = toolkit::FontRequester(
      settings.fontName, static_cast<int>(library::ClampedFontSize(settings.fontSize)));
  if (!choice.chosen) return;
  app.ui.SetGadgetText(gid::kFontNameDisplay, choice.name);
  app.ui.SetGadgetText(gid::kFontSizeDisplay,
                       std::to_string(library::ClampedFontSize(choice.size)));
}

SettingsPaths PathsInForm(const app::AppState& app) {
  return SettingsPaths{app.ui.GadgetText(gid::kDatabasePathField),
                       app.ui.GadgetText(gid::kLibraryPathField)};
}

library::AppSettings SettingsInForm(const app::AppState& app) {
  const toolkit::Ui& ui = app.ui;
  library::AppSettings settings = app.settings;
  // Only the folder of a newly chosen database is taken over; Apply alone
  // takes its file name and reloads.
  settings.dbPath = library::DirectoryPart(ui.GadgetText(gid::kDatabasePathField));
  settings.libPath = ui.GadgetText(gid::kLibraryPathField);
  settings.savePaths = ui.GadgetState(gid::kSavePathsBox) != 0;
  settings.saveWinSetting = ui.GadgetState(gid::kGeometryBox) != 0;
  TakeItem(ui, gid::kHintBox, settings.searchHint);
  TakeItem(ui, gid::kSearchModeBox, settings.searchMode);
  TakeItem(ui, gid::kMarkingBox, settings.codeMarks);
  TakeItem(ui, gid::kTitleBox, settings.sourceInTitle);
  settings.darkMode = ui.GadgetState(gid::kDarkBox) != 0;
  settings.dyeingNews = ui.GadgetState(gid::kNewsBox) != 0;
  settings.fontName = ui.GadgetText(gid::kFontNameDisplay);
  settings.fontSize = library::ClampedFontSize(
      DisplayedFontSize(ui.GadgetText(gid::kFontSizeDisplay), settings.fontSize));
  return settings;
}

void CloseSettingsWindow(app::AppState& app) {
  app.ui.ShowWindow(app::window_id::kSettings, false);
}

}  // namespace dialogs

// The database-information window: created once and hidden, filled and shown
// from the info menu, and the commands of its two clickable images.
#include "dialogs/DatabaseInfoWindow.h"

#include <string>

#include "app/AppState.h"
#include "app/Ids.h"
#include "app/core/ExternalPrograms.h"
#include "dialogs/GroupFrame.h"
#include "library/core/PathRules.h"
#include "toolkit/Clipboard.h"
#include "toolkit/GadgetEffects.h"
#include "toolkit/LabelGadget.h"
#include "toolkit/TextFieldGadget.h"
#include "toolkit/core/ShortcutCode.h"

namespace dialogs {
namespace {

namespace gid = app::gadget_id;
using resources::Icon;
using toolkit::label_flag::kRight;
using toolkit::text_field_flag::kReadOnly;
using toolkit::text_field_flag::kRightAligned;

void CreateDatabaseControls(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  CreateGroupFrame(app, gid::kInfoDatabaseFrame, 5, 2, 710, 148, "Datenbank & Library ...");
  ui.CreateImage(gid::kInfoLibraryFolderImage, 7, 26, 16, 16, app::IconImage(ui, Icon::Database));
  ui.SetGadgetTooltip(gid::kInfoLibraryFolderImage,
                      "Klick öffnet den Dateimanager mit dem Library-Pfad.");
  ui.CreateLabel(gid::kInfoDatabaseLabel, 25, 25, 162, 22, "Datenbank (xml):", kRight);
  ui.CreateTextField(gid::kInfoDatabaseField, 190, 20, 520, 26, kReadOnly);
  ui.RelateLabel(gid::kInfoDatabaseLabel, gid::kInfoDatabaseField);
  ui.CreateLabel(gid::kInfoContentLabel, 5, 57, 182, 22, "Inhalt:", kRight);
  ui.CreateTextField(gid::kInfoContentField, 190, 52, 520, 26, kReadOnly);
  ui.RelateLabel(gid::kInfoContentLabel, gid::kInfoContentField);
  ui.CreateLabel(gid::kInfoLibraryLabel, 5, 89, 182, 22, "Library (Hauptordner):", kRight);
  ui.CreateTextField(gid::kInfoLibraryField, 190, 84, 520, 26, kReadOnly);
  ui.RelateLabel(gid::kInfoLibraryLabel, gid::kInfoLibraryField);
  // The arrow leads from the field above to its details; it does nothing.
  ui.CreateImage(toolkit::kNoGadgetId, 183, 121, 16, 16, app::IconImage(ui, Icon::ArrowDownRight));
  ui.CreateLabel(gid::kInfoTopicsLabel, 175, 121, 130, 22, "Themen:", kRight);
  ui.CreateTextField(gid::kInfoTopicsField, 310, 116, 80, 26, kReadOnly | kRightAligned);
  ui.RelateLabel(gid::kInfoTopicsLabel, gid::kInfoTopicsField);
  ui.CreateLabel(gid::kInfoEntriesLabel, 475, 121, 150, 22, "Einträge:", kRight);
  ui.CreateTextField(gid::kInfoEntriesField, 630, 116, 80, 26, kReadOnly | kRightAligned);
  ui.RelateLabel(gid::kInfoEntriesLabel, gid::kInfoEntriesField);
}

void CreateFileControls(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  CreateGroupFrame(app, gid::kInfoFileFrame, 5, 162, 710, 87, "Gewählte Datei ...");
  ui.CreateImage(gid::kInfoCopyImage, 7, 186, 16, 16, app::IconImage(ui, Icon::Document));
  ui.SetGadgetTooltip(gid::kInfoCopyImage, "Klick kopiert den Code-Pfad ins Clipboard.");
  ui.CreateLabel(gid::kInfoFileLabel, 25, 187, 162, 22, "Datei (+Unterordner):", kRight);
  ui.CreateTextField(gid::kInfoFileField, 190, 182, 520, 26, kReadOnly);
  ui.RelateLabel(gid::kInfoFileLabel, gid::kInfoFileField);
  // The arrow leads from the field above to its details; it does nothing.
  ui.CreateImage(toolkit::kNoGadgetId, 174, 220, 16, 16, app::IconImage(ui, Icon::ArrowDownRight));
  ui.CreateLabel(gid::kInfoCodeFormatLabel, 175, 220, 130, 22, "Code-Format:", kRight);
  ui.CreateTextField(gid::kInfoCodeFormatField, 310, 215, 80, 26, kReadOnly);
  ui.RelateLabel(gid::kInfoCodeFormatLabel, gid::kInfoCodeFormatField);
  ui.CreateLabel(gid::kInfoExecutableFormatLabel, 455, 220, 170, 22, "Executable-Format:", kRight);
  ui.CreateTextField(gid::kInfoExecutableFormatField, 630, 215, 80, 26, kReadOnly);
  ui.RelateLabel(gid::kInfoExecutableFormatLabel, gid::kInfoExecutableFormatField);
}

}  // namespace

void CreateDatabaseInfoWindow(app::AppState& app) {
  using namespace toolkit::window_flag;
  toolkit::Window* window = app.ui.OpenWindow(
      app::window_id::kDatabaseInfo, 0, 0, 720, 252, "About: Current database & file",
      kSystemMenu | kScreenCentered | kInvisible | kUtility);
  if (!window) return;
  window->AddShortcut(toolkit::key::kEscape, app::menu_item::kEscape);
  CreateDatabaseControls(app);
  CreateFileControls(app);
}

void FillDatabaseInfo(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  const library::LibraryDatabase& database = app.database;
  const library::IndexEntry* first = database.entries.empty() ? nullptr : &database.entries[0];
  ui.SetGadgetText(gid::kInfoDatabaseField, database.path);
  std::string content(database.rows.empty() ? std::string_view() : database.rows[0].text);
  content += " - ";
  if (first) content += first->text;
  ui.SetGadgetText(gid::kInfoContentField, content);
  ui.SetGadgetText(gid::kInfoLibraryField, app.settings.libPath);
  ui.SetGadgetText(gid::kInfoTopicsField, std::to_string(database.topicCount));
  ui.SetGadgetText(gid::kInfoEntriesField, std::to_string(database.entryCount));
}

void ShowFileInfo(app::AppState& app, const std::string& file, bool sourceIsUtf8,
                  bool executableUnicode) {
  toolkit::Ui& ui = app.ui;
  ui.SetGadgetText(gid::kInfoCodeFormatField, sourceIsUtf8 ? "UTF8" : "Ascii");
  ui.SetGadgetText(gid::kInfoExecutableFormatField, executableUnicode ? "Unicode" : "Ascii");
  ui.SetGadgetText(gid::kInfoFileField, file);
}

void ClearFileInfo(app::AppState& app) {
  for (int field :
       {gid::kInfoFileField, gid::kInfoCodeFormatField, gid::kInfoExecutableFormatField}) {
    app.ui.SetGadgetText(field, "");
  }
}

void ShowDatabaseInfo(app::AppState& app) {
  app.database.MakeCurrent(0);
  FillDatabaseInfo(app);
  app.ui.ShowWindow(app::window_id::kDatabaseInfo, true);
}

void CopySelectedFilePath(app::AppState& app) {
  if (app.ui.GadgetText(gid::kInfoFileField).empty()) return;
  if (toolkit::Gadget* field = app.ui.FindGadget(gid::kInfoFileField)) {
    toolkit::BlinkGadget(*field, app.colours.confirmationBlink);
  }
  toolkit::SetClipboardText(library::CodeFilePath(app.settings.libPath, app.currentCodeFile));
}

void OpenLibraryFolder(app::AppState& app) {
  std::string folder = app.ui.GadgetText(gid::kInfoLibraryField);
  if (folder.empty()) folder = app.programDirectory;
  app::OpenFolderOrBeep(folder);
}

}  // namespace dialogs

// The one loop that takes every event and carries out its command.
#include "app/EventLoop.h"

#include "app/AppState.h"
#include "app/BuildVariant.h"
#include "app/CodeCopy.h"
#include "app/EntrySelection.h"
#include "app/FileDragDrop.h"
#include "app/Ids.h"
#include "app/IndexCommands.h"
#include "app/MainWindow.h"
#include "app/MenuCommands.h"
#include "app/Search.h"
#include "app/SettingsCommands.h"
#include "app/core/SourceMark.h"
#include "codeview/WordWrap.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/DatabaseInfoWindow.h"
#include "dialogs/SettingsWindow.h"
#include "export/FileListExport.h"
#include "export/PostingExport.h"
#include "export/WebPageExport.h"
#include "library/DuplicatesProtocol.h"
#include "toolkit/TextFieldGadget.h"

namespace app {
namespace {

using toolkit::Event;
using toolkit::EventKind;
namespace gid = gadget_id;
namespace type = toolkit::event_type;

void SearchFromField(AppState& app, bool next) {
  SearchIndex(app, window_id::kMain, gid::kIndexTree, gid::kSearchField,
              app.ui.GadgetText(gid::kSearchField), next);
}

// The search field's icons: the start icon searches on, the end icon clears
// the term.
void OnSearchFieldIcon(AppState& app, std::intptr_t position) {
  if (position == 0) {
    SearchFromField(app, true);
  } else {
    app.ui.SetGadgetText(gid::kSearchField, "");
    app.ui.SetActiveGadget(gid::kSearchField);
  }
}

// Delete clears the term the same way a click on the field's end icon does.
void ClearSearchByKey(AppState& app) {
  auto* field = app.ui.Find<toolkit::TextFieldGadget>(gid::kSearchField);
  if (!field) return;
  g_signal_emit_by_name(field->Entry(), "icon-press", GTK_ENTRY_ICON_SECONDARY, nullptr);
}

void DispatchIndexTree(AppState& app, const Event& event) {
  switch (event.type) {
    case type::kLeftDoubleClick:
      ToggleSelectedRow(app);
      break;
    case type::kLeftClick:
    case type::kChange:
      if (app.ui.GadgetState(gid::kIndexTree) >= 0) ShowIndexSelection(app, event.type);
      break;
    case type::kDragStart:
      DragIndexEntry(app);
      break;
    default:
      break;
  }
}

void DispatchMainGadget(AppState& app, const Event& event) {
  toolkit::Ui& ui = app.ui;
  // The image buttons act on a click (Space or Return on a focused button is
  // one) only: tabbing onto or away from one runs nothing.
  const bool click = event.type == type::kLeftClick;
  switch (event.object) {
    case gid::kExpandToggle:
      if (click) ToggleExpandAll(app);
      break;
    case gid::kInfoButton:
      if (click) ui.DisplayPopupMenu(menu_id::kInfo, window_id::kMain);
      break;
    case gid::kHelpButton:
      if (click) ShowHelpEntry(app);
      break;
    case gid::kSettingsButton:
      if (click) dialogs::OpenSettingsWindow(app);
      break;
    case gid::kIndexTree:
      DispatchIndexTree(app, event);
      break;
    case gid::kSearchField:
      if (event.type == type::kIconPress) {
        OnSearchFieldIcon(app, event.data);
      } else if (event.type == type::kChange) {
        SearchFromField(app, false);
      }
      break;
    case gid::kAdminButton:
      if (click && IsAdminBuild()) ui.DisplayPopupMenu(menu_id::kAdmin, window_id::kMain);
      break;
    case gid::kMainSplitter:
      if (click) LayoutMainWindow(app, false);
      break;
    case gid::kCopyButton:
      if (click) CopyWholeCode(app);
      break;
    case gid::kHistoryBox:
      if (ui.GadgetState(gid::kHistoryBox) >= 0) ShowRecentSelection(app);
      break;
    default:
      break;
  }
}

// Menu items and keyboard shortcuts of the main window.
void DispatchMainMenu(AppState& app, const Event& event) {
  switch (event.object) {
    case menu_item::kSearchNext:
      SearchFromField(app, true);
      break;
    case menu_item::kClearSearch:
      ClearSearchByKey(app);
      break;
    case menu_item::kReturn:
      if (app.ui.ActiveGadget(window_id::kMain) == gid::kSearchField) SearchFromField(app, true);
      break;
    case menu_item::kEscape:
      app.quit = true;
      break;
    case menu_item::kHelpKey:
      app.ui.PostEvent(EventKind::Gadget, window_id::kMain, gid::kHelpButton, type::kLeftClick);
      break;
    case menu_item::kToggleWordWrap:
      codeview::ToggleWordWrap(app);
      break;
    case menu_item::kToggleLanguage:
      ToggleIndexLanguage(app);
      break;
    case menu_item::kLanguageGermanG:
    case menu_item::kLanguageGermanD:
      ChooseIndexLanguage(app, library::Language::German);
      break;
    case menu_item::kLanguageEnglish:
      ChooseIndexLanguage(app, library::Language::English);
      break;
    case menu_item::kLanguageFrench:
      ChooseIndexLanguage(app, library::Language::French);
      break;
    case menu_item::kExportWebPage:
      exports::ExportWebPage(app);
      break;
    case menu_item::kExportPostingAll:
      exports::ExportPosting(app, exports::PostingScope::All);
      break;
    case menu_item::kExportPostingNews:
      exports::ExportPosting(app, exports::PostingScope::News);
      break;
    case menu_item::kExportFileList:
      exports::ExportFileList(app);
      break;
    case menu_item::kDebugDoubles:
      library::WriteDuplicatesProtocol(app);
      break;
    case menu_item::kEditViewerHelp:
      EditViewerHelp(app);
      break;
    case menu_item::kCopyCodePath:
      CopyCodePath(app);
      break;
    case menu_item::kAbout:
      dialogs::OpenAboutWindow(app);
      break;
    case menu_item::kAboutDatabase:
      dialogs::ShowDatabaseInfo(app);
      break;
    case menu_item::kCheckUpdates:
      StartUpdateCheck(app);
      break;
    case menu_item::kOpenWithDefaultApp:
      OpenCurrentCodeFile(app);
      break;
    default:
      break;
  }
}

void DispatchMainWindow(AppState& app, const Event& event) {
  switch (event.kind) {
    case EventKind::CloseWindow:
      app.quit = true;
      break;
    case EventKind::SizeWindow:
      LayoutMainWindow(app, true);
      break;
    case EventKind::Gadget:
      DispatchMainGadget(app, event);
      break;
    case EventKind::Menu:
      DispatchMainMenu(app, event);
      break;
    case EventKind::GadgetDrop:
      DropOnCodeView(app, event);
      break;
    default:
      break;
  }
}

// Closing a secondary window or pressing Escape in it only hides it.
bool HidesWindow(const Event& event) {
  return event.kind == EventKind::CloseWindow ||
         (event.kind == EventKind::Menu && event.object == menu_item::kEscape);
}

void DispatchSettingsWindow(AppState& app, const Event& event) {
  if (HidesWindow(event)) {
    app.ui.ShowWindow(window_id::kSettings, false);
    return;
  }
  // Its buttons act on clicks; their focus events are of no interest.
  if (event.kind != EventKind::Gadget || event.type != toolkit::event_type::kLeftClick) return;
  switch (event.object) {
    case gid::kDatabaseChooseButton:
      dialogs::ChooseDatabaseFile(app);
      break;
    case gid::kLibraryChooseButton:
      dialogs::ChooseLibraryFolder(app);
      break;
    case gid::kFontChooseButton:
      dialogs::ChooseCodeFont(app);
      break;
    case gid::kCancelButton:
      app.ui.ShowWindow(window_id::kSettings, false);
      break;
    case gid::kApplyButton:
      ApplySettingsPaths(app);
      break;
    case gid::kSaveButton:
      SaveSettings(app);
      break;
    default:
      break;
  }
}

void DispatchDatabaseInfoWindow(AppState& app, const Event& event) {
  if (HidesWindow(event)) {
    app.ui.ShowWindow(window_id::kDatabaseInfo, false);
    return;
  }
  if (event.kind != EventKind::Gadget) return;
  switch (event.object) {
    case gid::kInfoCopyImage:
      dialogs::CopySelectedFilePath(app);
      break;
    case gid::kInfoLibraryFolderImage:
      dialogs::OpenLibraryFolder(app);
      break;
    default:
      break;
  }
}

void DispatchUpdateWindow(AppState& app, const Event& event) {
  if (HidesWindow(event)) app.ui.ShowWindow(window_id::kUpdate, false);
}

}  // namespace

void DispatchEvent(AppState& app, const Event& event) {
  MARK_SOURCE();
  switch (event.window) {
    case window_id::kMain:
      DispatchMainWindow(app, event);
      break;
    case window_id::kSettings:
      DispatchSettingsWindow(app, event);
      break;
    case window_id::kDatabaseInfo:
      DispatchDatabaseInfoWindow(app, event);
      break;
    case window_id::kUpdate:
      DispatchUpdateWindow(app, event);
      break;
    default:
      break;
  }
}

void RunEventLoop(AppState& app) {
  while (!app.quit) {
    const Event event = app.ui.WaitEvent();
    DispatchEvent(app, event);
  }
}

}  // namespace app

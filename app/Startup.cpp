// Bringing the program up in its fixed order, running it, and the orderly end.
#include "app/Startup.h"

#include <gtk/gtk.h>

#include <clocale>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "app/AppState.h"
#include "app/CodeIndexing.h"
#include "app/ErrorHandler.h"
#include "app/EventLoop.h"
#include "app/Ids.h"
#include "app/MainWindow.h"
#include "app/MenuCommands.h"
#include "app/Search.h"
#include "app/core/ProgramDirectory.h"
#include "app/core/SourceMark.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/DatabaseInfoWindow.h"
#include "dialogs/SettingsWindow.h"
#include "dialogs/UpdateWindow.h"
#include "library/DatabaseLoading.h"
#include "library/IndexTree.h"
#include "library/LanguageSwitch.h"
#include "library/Preferences.h"
#include "library/core/DatabasePreparation.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Font.h"
#include "toolkit/Window.h"
#include "toolkit/core/ProcessLauncher.h"

namespace app {
namespace {

using resources::Icon;

void PutDefaults(AppState& app) {
  app.settings = library::AppSettings{};
  app.settings.dbPath = app.programDirectory;
  app.settings.libPath = app.programDirectory;
  app.database.directory = app.programDirectory;
}

// Font 0 is the code font; font 1 the bold UI font of the windows' frame
// titles, made from the desktop's default font.
void LoadFonts(AppState& app) {
  app.ui.LoadFont(font_id::kCode, "Monospace", 10);
  gchar* fontName = nullptr;
  g_object_get(gtk_settings_get_default(), "gtk-font-name", &fontName, nullptr);
  toolkit::GCharPtr owned(fontName);
  const toolkit::DesktopFont desktop = toolkit::SplitFontName(owned ? owned.get() : "");
  app.ui.LoadFont(font_id::kBoldUi, desktop.family + " bold", desktop.size);
}

// The preferences keep the window size within the first monitor.
void ExamineMonitors(AppState& app) {
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = display ? gdk_display_get_monitor(display, 0) : nullptr;
  if (!monitor) return;
  GdkRectangle geometry{};
  gdk_monitor_get_geometry(monitor, &geometry);
  // In the designed pixels the window's sizes are stored in.
  app.desktopWidth = app.ui.Scale().ToDesign(geometry.width);
  app.desktopHeight = app.ui.Scale().ToDesign(geometry.height);
}

void SetProgramIcon(AppState& app) {
  if (!CatchIcon(app.ui, Icon::Program)) return;
  // Every size it is drawn at: the desktop picks the one it needs.
  GList* icons = nullptr;
  for (GdkPixbuf* icon : app.ui.Image(ImageId(Icon::Program))->Pixbufs()) {
    icons = g_list_append(icons, icon);
  }
  gtk_window_set_default_icon_list(icons);
  g_list_free(icons);
}

// Starts reading the database that the preferences name before the toolkit
// is up, so that both go on at once; nothing when start-up would ask for it.
std::unique_ptr<library::DatabasePreparation> PrepareStoredDatabase(const AppState& app) {
  library::AppSettings stored;
  const std::string path = library::StoredDatabasePath(app, stored);
  if (path.empty()) return nullptr;
  return std::make_unique<library::DatabasePreparation>(
      path, library::FillOptionsFor(stored, stored.language, app.viewerChapterTitle));
}

void PrepareSearchWhenIdle(AppState& app) {
  g_idle_add_full(
      G_PRIORITY_LOW,
      +[](gpointer data) -> gboolean {
        PrepareSearch(*static_cast<AppState*>(data));
        return G_SOURCE_REMOVE;
      },
      &app, nullptr);
}

void PrepareSearchAfterPaint(GdkFrameClock* clock, gpointer data) {
  g_signal_handlers_disconnect_by_func(clock, reinterpret_cast<gpointer>(&PrepareSearchAfterPaint),
                                       data);
  PrepareSearchWhenIdle(*static_cast<AppState*>(data));
}

// The search's lowered texts are built once the main window has drawn its
// first frame and the program waits for input, so they never delay that
// frame (a keystroke before builds them itself). Waiting for the main loop
// to be idle alone is not enough: it also idles while the window is mapped.
void PrepareSearchAfterFirstFrame(AppState& app) {
  toolkit::Window* main = app.ui.FindWindow(window_id::kMain);
  GdkFrameClock* clock = main ? gtk_widget_get_frame_clock(GTK_WIDGET(main->Handle())) : nullptr;
  if (clock) {
    g_signal_connect(clock, "after-paint", G_CALLBACK(&PrepareSearchAfterPaint), &app);
  } else {
    PrepareSearchWhenIdle(app);
  }
}

}  // namespace

void CreatePopupMenus(AppState& app) {
  if (toolkit::PopupMenu* admin = app.ui.CreatePopupMenu(menu_id::kAdmin)) {
    admin->AddItem(menu_item::kExportWebPage, "Export WebPage");
    admin->AddItem(menu_item::kExportPostingAll, "Export Posting All");
    admin->AddItem(menu_item::kExportPostingNews, "Export Posting News");
    admin->AddItem(menu_item::kExportFileList, "Export Filelist");
    admin->AddItem(menu_item::kDebugDoubles, "Debug doubles db-entries");
    admin->AddSeparator();
    admin->AddItem(menu_item::kEditViewerHelp, "edit ViewerHelp");
    admin->AddSeparator();
    admin->AddItem(menu_item::kCopyCodePath, "Copy code-path to clipboard");
  }
  if (toolkit::PopupMenu* info = app.ui.CreatePopupMenu(menu_id::kInfo)) {
    info->AddItem(menu_item::kAbout, "Über Linux OX-ZUR-Erirada-Vuvazo ...");
    info->AddItem(menu_item::kAboutDatabase, "Über Datenbank ...");
    info->AddItem(menu_item::kCheckUpdates, "Auf Updates prüfen ...");
    info->AddSeparator();
    info->AddItem(menu_item::kOpenWithDefaultApp, "Mit Standard-App öffnen");
  }
}

bool InitApplication(AppState& app, std::unique_ptr<library::DatabasePreparation> preparation) {
  MARK_SOURCE();
  ExamineMonitors(app);
  MARK_SOURCE();
  app.preferencesExisted = library::ReadPreferences(app);
  library::ResolveDatabasePath(app, app.preferencesExisted);
  MARK_SOURCE();
  app.colours.Apply(app.settings.darkMode != 0);
  MARK_SOURCE();
  // The database is read, and its index built, on a worker thread while the
  // windows are built here; the main window shows once the database is in.
  // The one started ahead is kept when it reads the file resolved now.
  if (!preparation || preparation->Path() != app.database.path) {
    preparation = std::make_unique<library::DatabasePreparation>(app.database.path,
                                                                 library::FillOptions(app));
  }
  g_set_application_name(kApplicationName);
  SetProgramIcon(app);
  g_object_set(gtk_settings_get_default(), "gtk-button-images", TRUE, nullptr);
  gdk_rgba_parse(&app.transparent, "rgba(255,255,255,0.0)");
  MARK_SOURCE();
  if (!BuildMainWindow(app)) return false;
  dialogs::CreateSettingsWindow(app);
  dialogs::CreateDatabaseInfoWindow(app);
  dialogs::CreateUpdateWindow(app);
  // While the worker still reads, the main window gets ready to show; it is
  // not shown, so a database that fails to load flashes no empty window.
  if (toolkit::Window* main = app.ui.FindWindow(window_id::kMain)) main->Prepare();
  MARK_SOURCE();
  library::PreparedDatabase prepared = preparation->Take();
  if (!library::LoadDatabaseAtStartup(app, prepared)) return false;
  MARK_SOURCE();
  app.ui.ShowWindow(window_id::kMain, true);
  if (app.database.document.HasRoot()) library::FillIndexTree(app, prepared);
  library::ExpandAllAndCount(app);
  MARK_SOURCE();
  // The settings' language box already shows the stored language; with the
  // setting put back to German the switch sees a change and applies it.
  // Without the box the index was filled in the stored language already.
  if (app.settings.language != library::Language::German &&
      app.ui.FindGadget(gadget_id::kLanguageBox)) {
    app.settings.language = library::Language::German;
    library::ApplyLanguage(app, true);
  }
  MARK_SOURCE();
  if (app.settings.about == 0) {
    dialogs::OpenAboutWindow(app);
    app.settings.about = 1;
  }
  MARK_SOURCE();
  app.ui.SetGadgetState(gadget_id::kIndexTree, 0);
  app.ui.PostEvent(toolkit::EventKind::Gadget, window_id::kMain, gadget_id::kIndexTree,
                   toolkit::event_type::kChange);
  app.ui.SetGadgetState(gadget_id::kMainSplitter, static_cast<int>(app.settings.splitter));
  LayoutMainWindow(app, true);
  app.ui.SetActiveGadget(gadget_id::kSearchField);
  PrepareSearchAfterFirstFrame(app);
  MARK_SOURCE();
  return true;
}

void EndApplication(AppState& app) {
  MARK_SOURCE();
  StopCodeIndex(app);
  app.ui.ReleaseAll();
  app.database.entries.clear();
  app.recentFiles.clear();
  // Code copied with the copy button stays available after the program ends.
  toolkit::StoreClipboard();
  RestoreDefaultSignalHandling();
}

int RunProgram(int argc, char** argv) {
  // Created before anything else and alive until the end.
  auto app = std::make_unique<AppState>();

  MARK_SOURCE();
  (void)std::setlocale(LC_ALL, "");
  app->programDirectory = ProgramDirectory();
  EnterDirectory(app->programDirectory);
  PutDefaults(*app);
  // The viewer draws nothing with OpenGL. Without this the toolkit probes
  // for it at start and may load a software GL driver: tens of megabytes of
  // memory and time for nothing. A value set by the user is kept, and the
  // programs the viewer starts (an editor may draw with OpenGL) do not get
  // it. Set before the worker below starts, as the environment is not safe
  // to change while another thread reads it.
  toolkit::SetForThisProcessOnly("GDK_GL", "disable");
  std::unique_ptr<library::DatabasePreparation> preparation = PrepareStoredDatabase(*app);
  if (!gtk_init_check(&argc, &argv)) {
    (void)std::fputs("orvex-api-viewer: cannot open the display\n", stderr);
    return 1;
  }
  g_object_set(gtk_settings_get_default(), "gtk-menu-images", TRUE, nullptr);
  MARK_SOURCE();
  LoadFonts(*app);
  MARK_SOURCE();
  dialogs::BuildAboutCredits(*app);
  CreatePopupMenus(*app);
  InstallErrorHandler();

  if (InitApplication(*app, std::move(preparation))) {
    MARK_SOURCE();
    RunEventLoop(*app);
    app->tabStops.reset();
  }
  EndApplication(*app);
  return 0;
}

}  // namespace app

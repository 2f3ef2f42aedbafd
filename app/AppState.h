// The one process-wide record of shared state, created at start and alive until the end.
#pragma once

#include <gtk/gtk.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/core/ColourScheme.h"
#include "library/core/AppSettings.h"
#include "library/core/LibraryDatabase.h"
#include "library/core/LoweredTexts.h"
#include "library/core/SearchCandidates.h"
#include "library/core/UiTexts.h"
#include "resources/Icons.h"
#include "toolkit/GLibHandles.h"
#include "toolkit/Ui.h"
#include "toolkit/core/HttpClient.h"

namespace app {

// Images are registered under the number of their icon.
constexpr int ImageId(resources::Icon icon) {
  return static_cast<int>(icon);
}

// Registers the icon's image, at every scale it is drawn at; false when it
// does not decode.
inline bool CatchIcon(toolkit::Ui& ui, resources::Icon icon) {
  std::array<std::span<const unsigned char>, resources::kLargestIconScale> pngs;
  for (std::size_t i = 0; i < pngs.size(); ++i) {
    pngs[i] = resources::IconPng(icon, static_cast<int>(i) + 1);
  }
  return ui.CatchImage(ImageId(icon), pngs);
}

// Registers the icon's image on first use and returns its id.
inline int IconImage(toolkit::Ui& ui, resources::Icon icon) {
  const int id = ImageId(icon);
  if (!ui.Image(id)) CatchIcon(ui, icon);
  return id;
}

inline constexpr const char* kProgramTitle = "Linux OX-ZUR-Erirada-Vuvazo";
inline constexpr const char* kErrorTitle = "Linux OX-ZUR-Erirada-Vuvazo-Error";
inline constexpr const char* kXmlErrorTitle = "Linux OX-ZUR-Erirada-VuvazoError";
inline constexpr const char* kApplicationName = "Orvex-Linux-API-Viewer";
inline constexpr const char* kProgramVersion = "0.25.37";

struct AppState {
  library::AppSettings settings;

  // Folders; paths of folders end in "/".
  std::string programDirectory;
  std::string languageFileName = "LinuxOX ROZ-UruZore.inf";
  std::string templateDirectory = "../../Templates/";
  std::string exportDirectory = "../../Export/";
  std::string platformWord = "Linux";
  std::string viewerChapterTitle = "ZUR Erirada Vuvazo";

  library::LibraryDatabase database;
  // The index rows' search texts, lowered; rebuilt with each fill.
  library::SearchCandidates searchCandidates;
  // The lowered code of the rows, for the code scope, built on a worker.
  struct CodeIndex {
    library::LoweredTexts texts;
    const void* load = nullptr;    // the document memory of the load it is built for
    std::size_t rows = 0;          // and its number of rows
    std::string libraryPath;       // the library main path the code files were read below
    bool ready = false;            // texts are built; otherwise being built, or not asked for
    std::uint64_t generation = 0;  // counts the builds started, so a stale one is dropped
    std::jthread worker;
  } codeIndex;
  // A search of the code scope that came before the code index and found
  // nothing in the rest: whether it was a search-next. It runs again once
  // the index is ready.
  std::optional<bool> searchWaitingForCode;
  // The row a search selected last and the term it found there, whose first
  // occurrence the description or the code view marks; row -1 for none.
  struct SearchMatch {
    int row = -1;
    std::string term;
  } searchMatch;
  // A search that found nothing took back the last character of the term;
  // the search its change starts comes next.
  bool searchTakingBack = false;
  bool preferencesExisted = false;
  // The texts of the language file, read on the first lookup.
  library::UiTexts uiTexts;

  // Code view state.
  std::string currentCodeFile;            // file value of the entry whose code was loaded last
  bool viewShowsCurrentCodeFile = false;  // cleared whenever the view is cleared or replaced
  std::vector<std::int64_t> recentFiles;  // entry indices, newest first, at most 10
  bool sourceIsUtf8 = false;
  bool executableUnicode = false;
  bool reportMissingFile = true;
  std::vector<std::string> procedureNames;  // names declared in the file highlighted last

  // Index expand state: 1 all expanded.
  int expandState = 1;

  // Zoom of the code view.
  std::array<double, 8> zoomFactors{};
  int zoomIndex = 3;
  int lastAppliedZoom = -1;
  bool smoothScrollSeen = false;

  dialogs::ColourScheme colours;
  GdkRGBA transparent{1.0, 1.0, 1.0, 0.0};
  toolkit::PangoTabArrayPtr tabStops;

  // Size of the first monitor, read at start; 0 when unknown.
  int desktopWidth = 0;
  int desktopHeight = 0;

  // The update check: the server asked (host or host:port), the HTTP layer
  // that loads its library on first use, and the values of the last reading.
  std::string updateHost = ORVEX_UPDATE_HOST;
  std::unique_ptr<toolkit::HttpClient> http = std::make_unique<toolkit::HttpClient>();
  std::string versionText = kProgramVersion;
  std::string serverVersion;
  std::string serverLibraryDate;

  // The About window's credit lists, built once at start.
  std::vector<std::string> aboutAuthors;
  std::vector<std::string> aboutDocumenters;

  bool quit = false;

  toolkit::Ui ui;
};

}  // namespace app

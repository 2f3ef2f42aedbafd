// Building the search's index of the code on a worker thread, and taking it
// over on the main thread when it is done.
#include "app/CodeIndexing.h"

#include <glib.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <utility>

#include "app/AppState.h"
#include "app/Search.h"
#include "app/core/CodeSearchIndex.h"

namespace app {
namespace {

// A finished index on its way from the worker to the main thread.
struct FinishedIndex {
  AppState* app;
  std::uint64_t generation;
  library::LoweredTexts texts;
};

// Whether the code index is (being) built for the rows the index shows: the
// same load of the database, whose document memory identifies it, and the
// same library main path.
bool BuiltForShownRows(const AppState& app) {
  const AppState::CodeIndex& index = app.codeIndex;
  return index.load == app.database.documentArena.get() && index.rows == app.database.rows.size() &&
         index.libraryPath == app.settings.libPath;
}

// On the main thread: takes the index over unless a newer build started
// since, then runs the search that waited for it.
gboolean TakeFinishedIndex(gpointer data) {
  auto* finished = static_cast<FinishedIndex*>(data);
  AppState& app = *finished->app;
  AppState::CodeIndex& index = app.codeIndex;
  if (finished->generation != index.generation) return G_SOURCE_REMOVE;
  index.texts = std::move(finished->texts);
  index.ready = true;
  // The worker ends right after handing the index over. What it read and
  // decoded went back to its heap, which gives its free pages back now.
  if (index.worker.joinable()) index.worker.join();
  malloc_trim(0);
  RunSearchWaitingForCode(app);
  return G_SOURCE_REMOVE;
}

void DropFinishedIndex(gpointer data) {
  std::unique_ptr<FinishedIndex> dropped(static_cast<FinishedIndex*>(data));
}

// The code files of the rows the index shows, kept valid by sharing the
// document's memory, which their file values view.
CodeFiles ShownCodeFiles(const AppState& app) {
  const library::LibraryDatabase& database = app.database;
  CodeFiles code{app.settings.libPath, {}, database.documentArena};
  code.files.reserve(database.rows.size());
  for (std::size_t i = 0; i < database.rows.size(); ++i) {
    code.files.push_back(i < database.entries.size() ? database.entries[i].file
                                                     : std::string_view());
  }
  return code;
}

}  // namespace

void EnsureCodeIndex(AppState& app) {
  AppState::CodeIndex& index = app.codeIndex;
  if (BuiltForShownRows(app) && (index.ready || index.worker.joinable())) return;
  StopCodeIndex(app);
  index.load = app.database.documentArena.get();
  index.rows = app.database.rows.size();
  index.libraryPath = app.settings.libPath;
  const std::uint64_t generation = ++index.generation;
  index.worker = std::jthread([&app, generation, code = ShownCodeFiles(app),
                               lowering = app.searchCandidates.Lowering()](std::stop_token stop) {
    // Reading thousands of files is background work: the window comes first.
    (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
    std::optional<library::LoweredTexts> texts = IndexCode(code, lowering, stop);
    if (!texts) return;
    auto finished =
        std::make_unique<FinishedIndex>(FinishedIndex{&app, generation, std::move(*texts)});
    g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, &TakeFinishedIndex, finished.release(),
                    &DropFinishedIndex);
  });
}

const library::LoweredTexts* ReadyCodeIndex(const AppState& app) {
  return app.codeIndex.ready && BuiltForShownRows(app) ? &app.codeIndex.texts : nullptr;
}

void StopCodeIndex(AppState& app) {
  AppState::CodeIndex& index = app.codeIndex;
  // A new generation turns away what the stopped worker may still hand over.
  ++index.generation;
  index.worker = std::jthread();
  index.texts = library::LoweredTexts();
  index.ready = false;
  index.load = nullptr;
  index.rows = 0;
  index.libraryPath.clear();
}

}  // namespace app

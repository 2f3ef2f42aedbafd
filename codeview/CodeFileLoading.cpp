// Putting an entry's code file into the code view, and the two selection
// handlers that lead there.
#include "codeview/CodeFileLoading.h"

#include <climits>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "app/AppState.h"
#include "app/Ids.h"
#include "app/core/ExternalPrograms.h"
#include "codeview/HighlightCode.h"
#include "codeview/RecentFiles.h"
#include "codeview/core/CodeFileText.h"
#include "library/IndexTree.h"
#include "library/core/PathRules.h"
#include "toolkit/MessageBox.h"
#include "toolkit/TextAreaGadget.h"
#include "toolkit/TreeGadget.h"
#include "toolkit/Window.h"
#include "toolkit/core/WholeFile.h"

namespace codeview {
namespace {

namespace gid = app::gadget_id;

constexpr const char* kMissingFileBanner =
    "*************************\n"
    "***   Missing file!   ***\n"
    "*************************";
// Background of the description while its entry's file is missing (224, 145, 131).
constexpr int kMissingFileColour = 224 + 145 * 256 + 131 * 65536;

// A text view lays out each line as a whole whenever it draws it: a line of
// megabytes (minified data, a file without line breaks, a database text of
// that size) costs seconds and hundreds of megabytes each time. Longer lines
// are shown in pieces of this many characters.
constexpr std::size_t kMaxShownLineLength = 4096;

// The text of valid UTF-8 with every line that is longer than
// kMaxShownLineLength characters broken by LF after each such piece.
std::string WithOverlongLinesBroken(std::string text) {
  std::string broken;
  std::size_t copied = 0;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '\n') {
      characters = 0;
      continue;
    }
    // Continuation bytes belong to the character before them.
    if ((byte & 0xC0) == 0x80) continue;
    if (characters == kMaxShownLineLength) {
      broken.append(text, copied, i - copied);
      broken += '\n';
      copied = i;
      characters = 0;
    }
    ++characters;
  }
  if (copied == 0) return text;
  broken.append(text, copied, std::string::npos);
  return broken;
}

toolkit::TextAreaGadget* CodeView(app::AppState& app) {
  return app.ui.Find<toolkit::TextAreaGadget>(gid::kCodeView);
}

// Empties the code view; the view then no longer shows the current file.
void ClearCodeView(app::AppState& app) {
  if (auto* code = CodeView(app)) code->ClearItems();
  app.viewShowsCurrentCodeFile = false;
}

void SetMainTitle(app::AppState& app, const std::string& title) {
  if (toolkit::Window* window = app.ui.FindWindow(app::window_id::kMain)) window->SetTitle(title);
}

std::string TitleWith(const std::string& text) {
  std::string title = app::kProgramTitle;
  title += " ~ ";
  title += text;
  return title;
}

const std::string& DescriptionIn(const library::IndexEntry& entry, long language) {
  if (language == 0) return entry.descript_de;
  if (language == 1) return entry.descript_en;
  return entry.descript_fr;
}

// Loads an entry's file and shows its state in the description background,
// the current file and the title.
void ShowEntryFile(app::AppState& app, const std::string& file) {
  const bool loaded = LoadCodeFile(app, file, false);
  app.ui.SetGadgetColour(gid::kDescriptionView, toolkit::ColourAttribute::Background,
                         loaded ? -1 : kMissingFileColour);
  app.currentCodeFile = file;
  // Also after a missing file: a plain re-click does not try it again.
  app.viewShowsCurrentCodeFile = true;
  SetTitleForFile(app, file);
}

void ReportMissingFile(app::AppState& app, const std::string& path) {
  ClearCodeView(app);
  app::BeepMissing();
  if (app.reportMissingFile) {
    toolkit::ShowMessageBox(
        app::kProgramTitle,
        "Missing file:\n" + path + "\n\nCheck library-path in settings:\n" + app.settings.libPath);
    app.reportMissingFile = false;
  } else if (auto* code = CodeView(app)) {
    code->AddItem(-1, kMissingFileBanner, nullptr, 0);
  }
}

}  // namespace

void SetTitleForFile(app::AppState& app, const std::string& file) {
  switch (app.settings.sourceInTitle) {
    case 0:
      SetMainTitle(app, TitleWith(library::FilePart(file)));
      break;
    case 1:
      SetMainTitle(app, TitleWith(file));
      break;
    default:
      SetMainTitle(app, TitleWith(library::JoinPath(app.database.directory,
                                                    library::StripLeadingSlashes(file))));
      break;
  }
}

bool LoadCodeFile(app::AppState& app, const std::string& path, bool external) {
  app.sourceIsUtf8 = false;
  app.executableUnicode = false;

  std::string fullPath;
  if (external) {
    fullPath = path.substr(0, path.find('\n'));
    const std::string extension = CodeFileExtension(fullPath);
    if (!IsCodeExtension(extension)) {
      toolkit::ShowMessageBox(app::kProgramTitle,
                              "File type '" + extension + "' not supported!\nNot loaded!");
      return false;
    }
    SetMainTitle(app, TitleWith(library::FilePart(fullPath)));
  } else {
    fullPath = library::CodeFilePath(app.settings.libPath, path);
  }

  const std::optional<std::string> bytes = toolkit::ReadWholeFile(fullPath);
  if (!bytes) {
    ReportMissingFile(app, path);
    return false;
  }
  CodeFileText decoded = DecodeCodeFile(*bytes);
  decoded.text = WithOverlongLinesBroken(std::move(decoded.text));
  app.sourceIsUtf8 = decoded.sourceIsUtf8;
  app.executableUnicode = decoded.executableUnicode;

  ClearCodeView(app);
  toolkit::TextAreaGadget* code = CodeView(app);
  if (!code) return true;
  code->SetText(decoded.text);
  if (app.settings.codeMarks != 0 && IsCodeExtension(CodeFileExtension(path))) {
    HighlightCode(app, *code);
  }
  return true;
}

void ShowIndexSelection(app::AppState& app, int eventType) {
  toolkit::Ui& ui = app.ui;
  const int row = ui.GadgetState(gid::kIndexTree);
  if (!app.database.MakeCurrent(row)) return;
  const library::IndexEntry& entry = *app.database.Current();

  const auto* tree = ui.Find<toolkit::TreeGadget>(gid::kIndexTree);
  const int level = tree ? tree->ItemLevel(row) : 0;
  ui.SetGadgetText(
      gid::kDescriptionView,
      WithOverlongLinesBroken(level <= 1 ? entry.text
                                         : DescriptionIn(entry, library::IndexLanguage(app))));

  // The entry is copied: loading may run the toolkit's pending work.
  const std::string file = entry.file;
  if (file.empty()) {
    app.currentCodeFile.clear();
    SetMainTitle(app, app::kProgramTitle);
    for (int field :
         {gid::kInfoFileField, gid::kInfoCodeFormatField, gid::kInfoExecutableFormatField}) {
      ui.SetGadgetText(field, "");
    }
    ClearCodeView(app);
    return;
  }
  if (file == app.currentCodeFile && app.viewShowsCurrentCodeFile) {
    if (eventType == toolkit::event_type::kLeftClick) RecordRecentFile(app, row);
    return;
  }
  ShowEntryFile(app, file);
  ui.SetGadgetText(gid::kInfoCodeFormatField, app.sourceIsUtf8 ? "UTF8" : "Ascii");
  ui.SetGadgetText(gid::kInfoExecutableFormatField, app.executableUnicode ? "Unicode" : "Ascii");
  ui.SetGadgetText(gid::kInfoFileField, file);
}

void ShowRecentSelection(app::AppState& app) {
  toolkit::Ui& ui = app.ui;
  const int position = ui.GadgetState(gid::kHistoryBox);
  if (position < 0 || static_cast<std::size_t>(position) >= app.recentFiles.size()) return;
  const std::int64_t index = app.recentFiles[static_cast<std::size_t>(position)];
  if (index > INT_MAX || !app.database.MakeCurrent(static_cast<long>(index))) return;
  ui.SetGadgetState(gid::kIndexTree, static_cast<int>(index));

  const library::IndexEntry& entry = *app.database.Current();
  ui.SetGadgetText(gid::kDescriptionView,
                   WithOverlongLinesBroken(DescriptionIn(entry, library::IndexLanguage(app))));
  const std::string file = entry.file;
  if (file != app.currentCodeFile || !app.viewShowsCurrentCodeFile) ShowEntryFile(app, file);
}

}  // namespace codeview

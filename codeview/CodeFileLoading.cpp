// Putting a code file into the code view, with the window title and the
// description's background that tell which file it is.
#include "codeview/CodeFileLoading.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "app/AppState.h"
#include "app/Ids.h"
#include "app/core/ExternalPrograms.h"
#include "codeview/HighlightCode.h"
#include "codeview/core/CodeFileText.h"
#include "library/core/PathRules.h"
#include "toolkit/MessageBox.h"
#include "toolkit/TextAreaGadget.h"
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

void SetTitleForFile(app::AppState& app, const std::string& file) {
  switch (app.settings.sourceInTitle) {
    case library::TitleContent::FileName:
      SetMainTitle(app, TitleWith(library::FilePart(file)));
      return;
    case library::TitleContent::FileValue:
      SetMainTitle(app, TitleWith(file));
      return;
    case library::TitleContent::DatabaseFolderAndFile:
      break;
  }
  SetMainTitle(app, TitleWith(library::JoinPath(app.database.directory,
                                                library::StripLeadingSlashes(file))));
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
  if (app.settings.codeMarks != library::CodeMarking::Plain &&
      IsCodeExtension(CodeFileExtension(path))) {
    HighlightCode(app, *code);
  }
  return true;
}

bool ShowEntryFile(app::AppState& app, const std::string& file) {
  const bool loaded = LoadCodeFile(app, file, false);
  app.ui.SetGadgetColour(gid::kDescriptionView, toolkit::ColourAttribute::Background,
                         loaded ? -1 : kMissingFileColour);
  app.currentCodeFile = file;
  app.viewShowsCurrentCodeFile = true;
  SetTitleForFile(app, file);
  return loaded;
}

void ShowNoFile(app::AppState& app) {
  app.currentCodeFile.clear();
  SetMainTitle(app, app::kProgramTitle);
  ClearCodeView(app);
}

}  // namespace codeview

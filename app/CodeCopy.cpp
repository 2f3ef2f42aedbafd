// Copying the whole code of the code view to the clipboard.
#include "app/CodeCopy.h"

#include "app/AppState.h"
#include "app/Ids.h"
#include "codeview/HighlightCode.h"
#include "toolkit/Clipboard.h"
#include "toolkit/PendingEvents.h"
#include "toolkit/TextAreaGadget.h"

namespace app {

void CopyWholeCode(AppState& app) {
  auto* code = app.ui.Find<toolkit::TextAreaGadget>(gadget_id::kCodeView);
  if (!code) return;
  // Link targets leave the text as their lines are coloured: the copy is the
  // same whether the colouring has reached them yet or not.
  codeview::FinishColouring(*code);
  const std::string text = code->Text();
  if (text.empty()) return;
  GtkTextView* view = code->View();
  g_signal_emit_by_name(view, "select-all", TRUE);
  app.ui.SetActiveGadget(gadget_id::kCodeView);
  // The selection is painted before the short pause, as the visible sign of the copy.
  toolkit::ProcessPendingEvents();
  g_signal_emit_by_name(view, "copy-clipboard");
  g_usleep(50 * 1000);
  // The view's own copy leaves out what is not text; the clipboard gets the whole text.
  toolkit::SetClipboardText(text);
  g_signal_emit_by_name(view, "select-all", FALSE);
}

}  // namespace app

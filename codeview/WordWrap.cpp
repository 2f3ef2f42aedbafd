// Word wrap of the code view, switched with F5.
#include "codeview/WordWrap.h"

#include "app/AppState.h"
#include "app/Ids.h"
#include "toolkit/TextAreaGadget.h"

namespace codeview {

void ToggleWordWrap(app::AppState& app) {
  auto* code = app.ui.Find<toolkit::TextAreaGadget>(app::gadget_id::kCodeView);
  if (!code) return;
  const GtkWrapMode mode = gtk_text_view_get_wrap_mode(code->View());
  gtk_text_view_set_wrap_mode(code->View(), mode == GTK_WRAP_NONE ? GTK_WRAP_WORD : GTK_WRAP_NONE);
}

}  // namespace codeview

// Modal message boxes and their results.
#include "toolkit/MessageBox.h"

#include <gtk/gtk.h>

#include "toolkit/PendingEvents.h"
#include "toolkit/core/TextEncoding.h"

namespace toolkit {

int MessageResultOfResponse(int response) {
  switch (response) {
    case GTK_RESPONSE_OK:
    case GTK_RESPONSE_YES:
      return message_result::kYes;
    case GTK_RESPONSE_NO:
      return message_result::kNo;
    case GTK_RESPONSE_CANCEL:
      return message_result::kCancel;
    default:
      return message_result::kClosed;
  }
}

int ShowMessageBox(const std::string& title, const std::string& text, MessageButtons buttons) {
  const GtkButtonsType set = buttons == MessageButtons::Ok ? GTK_BUTTONS_OK : GTK_BUTTONS_YES_NO;
  // Texts may carry paths from disk: invalid UTF-8 would be refused by the toolkit.
  GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_INFO, set, "%s",
                                             ValidUtf8(text).c_str());
  if (buttons == MessageButtons::YesNoCancel) {
    // The toolkit's own translation gives the label in the desktop's language.
    gtk_dialog_add_button(GTK_DIALOG(dialog), g_dgettext("gtk30", "_Cancel"), GTK_RESPONSE_CANCEL);
  }
  gtk_dialog_set_default_response(
      GTK_DIALOG(dialog), buttons == MessageButtons::Ok ? GTK_RESPONSE_OK : GTK_RESPONSE_YES);
  gtk_window_set_title(GTK_WINDOW(dialog), ValidUtf8(title).c_str());
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  const int response = gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
  ProcessPendingEvents();
  return MessageResultOfResponse(response);
}

}  // namespace toolkit

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>

#include "toolkit/MessageBox.h"

namespace {

using toolkit::MessageButtons;
using toolkit::ShowMessageBox;
namespace result = toolkit::message_result;

// What the simulated user does with the box once it is on screen.
struct Answer {
  int response;  // a response to click, or GTK_RESPONSE_DELETE_EVENT to close the window
  std::string seenTitle;
  std::string seenText;
  bool seenMarkup = true;
};

// Finds the open message dialog and answers it the way a user would: by
// clicking the button of that response, or by closing the window.
gboolean AnswerOpenBox(gpointer data) {
  auto* answer = static_cast<Answer*>(data);
  GList* toplevels = gtk_window_list_toplevels();
  for (GList* item = toplevels; item; item = item->next) {
    if (!GTK_IS_MESSAGE_DIALOG(item->data) || !gtk_widget_get_visible(GTK_WIDGET(item->data))) {
      continue;
    }
    GtkDialog* dialog = GTK_DIALOG(item->data);
    answer->seenTitle = gtk_window_get_title(GTK_WINDOW(dialog));
    gchar* text = nullptr;
    gboolean markup = TRUE;
    g_object_get(dialog, "text", &text, "use-markup", &markup, nullptr);
    answer->seenText = text ? text : "";
    answer->seenMarkup = markup;
    g_free(text);
    if (answer->response == GTK_RESPONSE_DELETE_EVENT) {
      gtk_window_close(GTK_WINDOW(dialog));
    } else if (GtkWidget* button = gtk_dialog_get_widget_for_response(dialog, answer->response)) {
      gtk_button_clicked(GTK_BUTTON(button));
    }
    g_list_free(toplevels);
    return G_SOURCE_REMOVE;
  }
  g_list_free(toplevels);
  return G_SOURCE_CONTINUE;
}

int ShowAndAnswer(MessageButtons buttons, int response) {
  Answer answer{};
  answer.response = response;
  g_timeout_add(20, &AnswerOpenBox, &answer);
  return ShowMessageBox("Linux OX-ZUR-Erirada-Vuvazo", "Text", buttons);
}

TEST(MessageBox, ResultsOfEveryButton) {
  EXPECT_EQ(ShowAndAnswer(MessageButtons::Ok, GTK_RESPONSE_OK), result::kOk);
  EXPECT_EQ(ShowAndAnswer(MessageButtons::YesNo, GTK_RESPONSE_YES), result::kYes);
  EXPECT_EQ(ShowAndAnswer(MessageButtons::YesNo, GTK_RESPONSE_NO), result::kNo);
  EXPECT_EQ(ShowAndAnswer(MessageButtons::YesNoCancel, GTK_RESPONSE_CANCEL), result::kCancel);
  EXPECT_EQ(result::kOk, 6);
  EXPECT_EQ(result::kNo, 7);
  EXPECT_EQ(result::kCancel, 2);
}

TEST(MessageBox, ClosingTheWindowGivesZero) {
  EXPECT_EQ(ShowAndAnswer(MessageButtons::Ok, GTK_RESPONSE_DELETE_EVENT), result::kClosed);
  EXPECT_EQ(ShowAndAnswer(MessageButtons::YesNoCancel, GTK_RESPONSE_DELETE_EVENT), 0);
}

TEST(MessageBox, TitleAndTextArePlainText) {
  Answer answer{};
  answer.response = GTK_RESPONSE_OK;
  g_timeout_add(20, &AnswerOpenBox, &answer);
  const std::string text = "100% <b>sure</b> & %s\nsecond line";
  ShowMessageBox("Title & <i>more</i>", text);
  EXPECT_EQ(answer.seenTitle, "Title & <i>more</i>");
  EXPECT_EQ(answer.seenText, text);
  EXPECT_FALSE(answer.seenMarkup);
}

TEST(MessageBox, ResponsesOutsideTheButtonSetCountAsClosed) {
  EXPECT_EQ(toolkit::MessageResultOfResponse(GTK_RESPONSE_NONE), 0);
  EXPECT_EQ(toolkit::MessageResultOfResponse(GTK_RESPONSE_ACCEPT), 0);
  EXPECT_EQ(toolkit::MessageResultOfResponse(GTK_RESPONSE_CLOSE), 0);
}

}  // namespace

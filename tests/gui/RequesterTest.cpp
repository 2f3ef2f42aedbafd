// The file, folder and font requesters and the clipboard, answered the way a
// user would answer them.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "GuiTestSupport.h"
#include "support/TempDirectory.h"
#include "toolkit/Clipboard.h"
#include "toolkit/GLibHandles.h"
#include "toolkit/Requesters.h"

namespace {

// The shell patterns of a filter, as the toolkit describes it.
std::string PatternsOf(GtkFileFilter* filter) {
  GVariant* description = gtk_file_filter_to_gvariant(filter);
  toolkit::GCharPtr text(g_variant_print(description, FALSE));
  g_variant_unref(description);
  return text.get();
}

TEST(Requesters, FileRequesterOffersItsFiltersAndReturnsTheChosenFile) {
  TempDirectory temp;
  const std::string database = temp.Write("OX-LinuxAPI-Toc.xml", "<a/>");
  std::vector<std::string> names;
  std::vector<std::string> patterns;
  // The chooser selects the preset file in the background: answer once it has.
  testsupport::DialogAnswer pending(GTK_TYPE_FILE_CHOOSER_DIALOG, [&](GtkDialog* dialog) {
    toolkit::GCharPtr selected(gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog)));
    if (!selected || database != selected.get()) return false;
    GSList* filters = gtk_file_chooser_list_filters(GTK_FILE_CHOOSER(dialog));
    for (GSList* f = filters; f; f = f->next) {
      names.emplace_back(gtk_file_filter_get_name(GTK_FILE_FILTER(f->data)));
      patterns.push_back(PatternsOf(GTK_FILE_FILTER(f->data)));
    }
    g_slist_free(filters);
    gtk_dialog_response(dialog, GTK_RESPONSE_ACCEPT);
    return true;
  });
  const std::string chosen = toolkit::OpenFileRequester(
      "Choose database 'OX-LinuxAPI-Toc.xml' ...", database, "XML files (*.xml)|*.xml|All|*.*", 0);
  ASSERT_TRUE(pending.Answered());
  EXPECT_EQ(chosen, database) << "the preset file is selected";
  EXPECT_EQ(names, (std::vector<std::string>{"XML files (*.xml)", "All"}));
  ASSERT_EQ(patterns.size(), 2u);
  EXPECT_NE(patterns[0].find("'*.xml'"), std::string::npos) << patterns[0];
  EXPECT_NE(patterns[1].find("'*'"), std::string::npos) << "*.* stands for every file";
}

TEST(Requesters, CancelledRequestersReturnNothing) {
  testsupport::DialogAnswer file(GTK_TYPE_FILE_CHOOSER_DIALOG, [](GtkDialog* dialog) {
    gtk_dialog_response(dialog, GTK_RESPONSE_CANCEL);
    return true;
  });
  EXPECT_EQ(toolkit::OpenFileRequester("Choose", "/tmp", "XML files (*.xml)|*.xml", 0), "");
  testsupport::DialogAnswer folder(GTK_TYPE_FILE_CHOOSER_DIALOG, [](GtkDialog* dialog) {
    gtk_window_close(GTK_WINDOW(dialog));
    return true;
  });
  EXPECT_EQ(toolkit::PathRequester("Choose Library-Main-Path ...", "/tmp"), "");
  testsupport::DialogAnswer font(GTK_TYPE_FONT_CHOOSER_DIALOG, [](GtkDialog* dialog) {
    gtk_dialog_response(dialog, GTK_RESPONSE_CANCEL);
    return true;
  });
  EXPECT_FALSE(toolkit::FontRequester("Monospace", 10).chosen);
}

TEST(Requesters, FolderRequesterReturnsTheFolderWithASlash) {
  TempDirectory temp;
  // The chooser changes folders in the background: answer once it shows the folder.
  testsupport::DialogAnswer pending(GTK_TYPE_FILE_CHOOSER_DIALOG, [&](GtkDialog* dialog) {
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    toolkit::GCharPtr shown(gtk_file_chooser_get_current_folder(chooser));
    if (!shown || temp.Path() != shown.get()) {
      gtk_file_chooser_set_current_folder(chooser, temp.Path().c_str());
      return false;
    }
    gtk_dialog_response(dialog, GTK_RESPONSE_ACCEPT);
    return true;
  });
  EXPECT_EQ(toolkit::PathRequester("Choose Library-Main-Path ...", "/"), temp.Path() + "/");
}

TEST(Requesters, FontRequesterGivesFamilyAndSize) {
  testsupport::DialogAnswer pending(GTK_TYPE_FONT_CHOOSER_DIALOG, [](GtkDialog* dialog) {
    gtk_font_chooser_set_font(GTK_FONT_CHOOSER(dialog), "Monospace Bold 13");
    gtk_dialog_response(dialog, GTK_RESPONSE_OK);
    return true;
  });
  const toolkit::FontChoice choice = toolkit::FontRequester("Monospace", 10);
  EXPECT_TRUE(choice.chosen);
  EXPECT_EQ(choice.name, "Monospace");
  EXPECT_EQ(choice.size, 13);
}

TEST(Clipboard, TextIsOnTheDesktopClipboard) {
  TempDirectory temp;
  const std::string text = "Procedure Main()\n  ; ä ✰ \"quoted\"\nEndProcedure";
  toolkit::SetClipboardText(text);
  const std::string out = temp.Path() + "/clipboard";
  // xclip asks this process for the text, so the toolkit keeps running meanwhile.
  ASSERT_EQ(std::system(("xclip -o -selection clipboard > '" + out + "' 2>/dev/null &").c_str()),
            0);
  EXPECT_TRUE(testsupport::RunUntil([&] { return TempDirectory::Read(out) == text; }));
}

}  // namespace

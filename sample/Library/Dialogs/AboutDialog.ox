; ==================================================================
;  Info-Dialog mit GtkAboutDialog
; ==================================================================
;  Program name, version, comments, website, licence and credits.
;  The author lists are NULL-terminated string arrays (gchar**);
;  g_strsplit() builds such an array from one text.
;
;  Author: Jana Beispiel <jana@example.org>
;
; Link to topic:   https://example.org/orvex/gtk3/about-dialog

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_about_dialog_new()
  gtk_about_dialog_set_program_name(*about, name.p-utf8)
  gtk_about_dialog_set_version(*about, version.p-utf8)
  gtk_about_dialog_set_comments(*about, comments.p-utf8)
  gtk_about_dialog_set_website(*about, website.p-utf8)
  gtk_about_dialog_set_website_label(*about, label.p-utf8)
  gtk_about_dialog_set_copyright(*about, copyright.p-utf8)
  gtk_about_dialog_set_license_type(*about, licence.l)
  gtk_about_dialog_set_authors(*about, *authors)
  gtk_about_dialog_set_documenters(*about, *documenters)
  gtk_about_dialog_set_translator_credits(*about, credits.p-utf8)
  gtk_about_dialog_set_logo_icon_name(*about, name.p-utf8)
  gtk_window_set_transient_for(*window, *parent)
  gtk_dialog_run(*dialog)
EndImport

ImportC "-lglib-2.0"
  g_strsplit(text.p-utf8, delimiter.p-utf8, maxTokens.l)
  g_strfreev(*array)
EndImport

#GTK_LICENSE_MIT_X11 = 7
#VERSION$ = "1.4.2"

ProcedureC OnAbout(*button, *parent)
  Protected *about = gtk_about_dialog_new()
  Protected *authors = g_strsplit("Jana Beispiel <jana@example.org>|Tom Muster <tom@example.org>", "|", -1)
  Protected *docs = g_strsplit("Jana Beispiel", "|", -1)

  gtk_window_set_transient_for(*about, *parent)
  gtk_about_dialog_set_program_name(*about, "Orvex-Demo")
  gtk_about_dialog_set_version(*about, #VERSION$)
  gtk_about_dialog_set_comments(*about, "Beispiel für den Info-Dialog." + ~"\n" + "Example of the about dialog.")
  gtk_about_dialog_set_website(*about, "https://example.org/orvex")
  gtk_about_dialog_set_website_label(*about, "example.org/orvex")
  gtk_about_dialog_set_copyright(*about, "© 2026 Jana Beispiel")
  gtk_about_dialog_set_license_type(*about, #GTK_LICENSE_MIT_X11)
  gtk_about_dialog_set_authors(*about, *authors)        ; GTK copies the arrays
  gtk_about_dialog_set_documenters(*about, *docs)
  gtk_about_dialog_set_translator_credits(*about, "Tom Muster (français)")
  gtk_about_dialog_set_logo_icon_name(*about, "help-about")

  gtk_dialog_run(*about)
  gtk_widget_destroy(*about)
  g_strfreev(*authors)
  g_strfreev(*docs)
EndProcedure

Define *window, *button

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Info-Dialog")
gtk_container_set_border_width(*window, 20)
*button = gtk_button_new_with_mnemonic("_Über ...")
gtk_container_add(*window, *button)

g_signal_connect(*button, "clicked", @OnAbout(), *window)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 50
; FirstLine = 33
; Folding = -
; EnableUnicode
; Executable = about_dialog

; ==================================================================
;  Meldungsdialog (GtkMessageDialog)
; ==================================================================
;  Information, warning, question and error dialogs with a main text
;  and a secondary text. gtk_dialog_run() waits for the answer.
;
;  The message goes in as an argument of the format "%s": a "%" in a
;  text from outside (a file name, for example) can then do no harm.
;
; Link to topic:   https://example.org/orvex/gtk3/message-dialog

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_message_dialog_new(*parent, flags.l, type.l, buttons.l, format.p-utf8, text.p-utf8)
  gtk_message_dialog_format_secondary_text(*dialog, format.p-utf8, text.p-utf8)
  gtk_dialog_run(*dialog)
EndImport

#GTK_DIALOG_MODAL               = 1
#GTK_DIALOG_DESTROY_WITH_PARENT = 2

#GTK_MESSAGE_INFO     = 0
#GTK_MESSAGE_WARNING  = 1
#GTK_MESSAGE_QUESTION = 2
#GTK_MESSAGE_ERROR    = 3

#GTK_BUTTONS_OK       = 1
#GTK_BUTTONS_YES_NO   = 4

#GTK_RESPONSE_YES = -8
#GTK_RESPONSE_NO  = -9

Global *mainWindow

; Shows a modal message and returns the response of the pressed button.
Procedure.l ShowMessage(type.l, buttons.l, text.s, details.s = "")
  Protected *dialog, response.l

  *dialog = gtk_message_dialog_new(*mainWindow,
                                   #GTK_DIALOG_MODAL | #GTK_DIALOG_DESTROY_WITH_PARENT,
                                   type, buttons, "%s", text)
  If details <> ""
    gtk_message_dialog_format_secondary_text(*dialog, "%s", details)
  EndIf
  response = gtk_dialog_run(*dialog)
  gtk_widget_destroy(*dialog)
  ProcedureReturn response
EndProcedure

ProcedureC OnShowAll(*button, *userData)
  ShowMessage(#GTK_MESSAGE_INFO, #GTK_BUTTONS_OK, "Die Datei wurde gespeichert.")
  ShowMessage(#GTK_MESSAGE_WARNING, #GTK_BUTTONS_OK, "Wenig Speicherplatz",
              "Auf dem Datenträger sind nur noch 5 % frei.")

  If ShowMessage(#GTK_MESSAGE_QUESTION, #GTK_BUTTONS_YES_NO,
                 "Änderungen verwerfen?") = #GTK_RESPONSE_YES
    ShowMessage(#GTK_MESSAGE_ERROR, #GTK_BUTTONS_OK, "Verworfen.",
                "Das war eine Fehlermeldung – nur zur Probe.")
  EndIf
EndProcedure

Define *button

gtk_init(#Null, #Null)
*mainWindow = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*mainWindow, "Meldungen")
gtk_container_set_border_width(*mainWindow, 20)

*button = gtk_button_new_with_mnemonic("_Meldungen zeigen")
gtk_container_add(*mainWindow, *button)
g_signal_connect(*button, "clicked", @OnShowAll(), #Null)
g_signal_connect(*mainWindow, "destroy", @Common_OnDestroy(), #Null)

gtk_widget_show_all(*mainWindow)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 44
; FirstLine = 30
; Folding = -
; EnableUnicode
; Executable = message_dialog

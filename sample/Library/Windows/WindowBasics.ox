; ==================================================================
;  Fenster erzeugen und anzeigen - GtkWindow basics
; ==================================================================
;  Creates a top-level window, sets its title, default size, icon
;  and position, and asks before it closes.
;
; Link to topic:   https://example.org/orvex/gtk3/window-basics

ImportC "-lgtk-3"
  gtk_init(*argc, *argv)
  gtk_main()
  gtk_main_quit()
  gtk_window_new(type.l)
  gtk_window_set_title(*window, title.p-utf8)
  gtk_window_set_default_size(*window, width.l, height.l)
  gtk_window_set_position(*window, position.l)
  gtk_window_set_icon_name(*window, name.p-utf8)
  gtk_window_set_resizable(*window, resizable.l)
  gtk_container_add(*container, *widget)
  gtk_label_new(text.p-utf8)
  gtk_widget_show_all(*widget)
  gtk_message_dialog_new(*parent, flags.l, type.l, buttons.l, format.p-utf8, *arg)
  gtk_dialog_run(*dialog)
  gtk_widget_destroy(*widget)
EndImport

ImportC "-lgobject-2.0"
  g_signal_connect_data(*instance, signal.p-utf8, *handler, *data, *destroy, flags.l)
EndImport

#GTK_WINDOW_TOPLEVEL     = 0
#GTK_WIN_POS_CENTER      = 1
#GTK_DIALOG_MODAL        = 1
#GTK_MESSAGE_QUESTION    = 2
#GTK_BUTTONS_YES_NO      = 4
#GTK_RESPONSE_YES        = -8

; "delete-event" comes before the window is destroyed. Returning
; #True stops the close, #False lets GTK destroy the window.
ProcedureC.l OnDeleteEvent(*window, *event, *userData)
  Protected *dialog, answer.l

  *dialog = gtk_message_dialog_new(*window, #GTK_DIALOG_MODAL, #GTK_MESSAGE_QUESTION,
                                   #GTK_BUTTONS_YES_NO, "%s", "Fenster wirklich schließen?")
  answer = gtk_dialog_run(*dialog)
  gtk_widget_destroy(*dialog)

  If answer = #GTK_RESPONSE_YES
    ProcedureReturn #False
  EndIf
  ProcedureReturn #True
EndProcedure

ProcedureC OnDestroy(*widget, *userData)
  gtk_main_quit()
EndProcedure

Procedure.i CreateMainWindow(title.s, width.l, height.l)
  Protected *window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)

  gtk_window_set_title(*window, title)
  gtk_window_set_default_size(*window, width, height)
  gtk_window_set_position(*window, #GTK_WIN_POS_CENTER)
  gtk_window_set_icon_name(*window, "applications-development")
  gtk_window_set_resizable(*window, #True)

  gtk_container_add(*window, gtk_label_new("Ein leeres Fenster – schließen fragt nach."))

  g_signal_connect_data(*window, "delete-event", @OnDeleteEvent(), #Null, #Null, 0)
  g_signal_connect_data(*window, "destroy", @OnDestroy(), #Null, #Null, 0)
  ProcedureReturn *window
EndProcedure

gtk_init(#Null, #Null)
gtk_widget_show_all(CreateMainWindow("Fenster-Grundlagen", 480, 260))
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 62
; FirstLine = 33
; Folding = -
; EnableThread
; EnableUnicode
; Executable = window_basics

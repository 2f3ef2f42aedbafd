; ==================================================================
;  Benachrichtigung ohne Infobereich (GNotification)
; ==================================================================
;  Desktops without a tray still show notifications. GApplication
;  sends them through the desktop's notification service; the
;  application needs an id and must be registered, which
;  g_application_run() does. The id uses the example.org domain.
;
; Link to topic:   https://example.org/orvex/gio/notification
; Link to topic:   https://example.org/orvex/gtk3/application

ImportC "-lgtk-3"
  gtk_application_new(id.p-utf8, flags.l)
  gtk_application_window_new(*application)
  gtk_window_set_title(*window, title.p-utf8)
  gtk_window_set_default_size(*window, width.l, height.l)
  gtk_container_add(*container, *widget)
  gtk_container_set_border_width(*container, width.l)
  gtk_button_new_with_mnemonic(label.p-utf8)
  gtk_widget_show_all(*widget)
EndImport

ImportC "-lgio-2.0"
  g_application_run(*application, argc.l, *argv)
  g_application_send_notification(*application, id.p-utf8, *notification)
  g_application_withdraw_notification(*application, id.p-utf8)
  g_notification_new(title.p-utf8)
  g_notification_set_body(*notification, body.p-utf8)
  g_notification_set_priority(*notification, priority.l)
  g_themed_icon_new(name.p-utf8)
  g_notification_set_icon(*notification, *icon)
EndImport

ImportC "-lgobject-2.0"
  g_signal_connect_data(*instance, signal.p-utf8, *handler, *data, *destroy, flags.l)
  g_object_unref(*object)
EndImport

#G_APPLICATION_FLAGS_NONE        = 0
#G_NOTIFICATION_PRIORITY_NORMAL  = 0
#G_NOTIFICATION_PRIORITY_HIGH    = 2
#APP_ID$ = "org.example.OrvexNotify"
#NOTE_ID$ = "build-finished"

Procedure SendNotice(*application, title.s, body.s, urgent.l)
  Protected *notification = g_notification_new(title)
  Protected *icon = g_themed_icon_new("dialog-information")

  g_notification_set_body(*notification, body)
  g_notification_set_icon(*notification, *icon)
  If urgent
    g_notification_set_priority(*notification, #G_NOTIFICATION_PRIORITY_HIGH)
  Else
    g_notification_set_priority(*notification, #G_NOTIFICATION_PRIORITY_NORMAL)
  EndIf
  ; the same id replaces an older notice instead of adding one
  g_application_send_notification(*application, #NOTE_ID$, *notification)
  g_object_unref(*icon)
  g_object_unref(*notification)
EndProcedure

ProcedureC OnNotify(*button, *application)
  SendNotice(*application, "Übersetzung fertig", "window_basics wurde ohne Fehler erstellt.", #False)
EndProcedure

; "activate": the application is registered, now the window may open
ProcedureC OnActivate(*application, *userData)
  Protected *window = gtk_application_window_new(*application)
  Protected *button = gtk_button_new_with_mnemonic("_Benachrichtigen")

  gtk_window_set_title(*window, "Benachrichtigung")
  gtk_window_set_default_size(*window, 280, 90)
  gtk_container_set_border_width(*window, 16)
  gtk_container_add(*window, *button)
  g_signal_connect_data(*button, "clicked", @OnNotify(), *application, #Null, 0)
  gtk_widget_show_all(*window)
EndProcedure

Define *app, status.l

*app = gtk_application_new(#APP_ID$, #G_APPLICATION_FLAGS_NONE)
g_signal_connect_data(*app, "activate", @OnActivate(), #Null, #Null, 0)
status = g_application_run(*app, 0, #Null)      ; returns when the last window is closed
g_object_unref(*app)
End status
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 47
; FirstLine = 22
; Folding = -
; EnableThread
; Executable = notification

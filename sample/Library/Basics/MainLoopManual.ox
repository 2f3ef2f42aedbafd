; ==================================================================
;  Own event loop instead of gtk_main()
; ==================================================================
;  Some programs need to do work of their own between two GTK
;  events. Instead of gtk_main() this example runs a loop that
;  handles all pending events without blocking, updates a label
;  once a second and sleeps 20 ms so that the CPU stays idle.
;  Closing the window only sets a flag; the loop then ends.
;
; Link to topic:   https://example.org/orvex/gtk3/main-loop
; Link to topic:   https://example.org/orvex/glib/main-context

ImportC "-lgtk-3"
  gtk_init(*argc, *argv)
  gtk_window_new(type.l)
  gtk_window_set_title(*window, title.p-utf8)
  gtk_window_set_default_size(*window, width.l, height.l)
  gtk_container_add(*container, *widget)
  gtk_label_new(text.p-utf8)
  gtk_label_set_text(*label, *text)
  gtk_widget_show_all(*widget)
  gtk_widget_destroy(*widget)
  gtk_events_pending()
  gtk_main_iteration_do(blocking.l)
EndImport

ImportC "-lgobject-2.0"
  g_signal_connect_data(*instance, signal.p-utf8, *handler, *data, *destroy, flags.l)
EndImport

ImportC "-lglib-2.0"
  g_get_monotonic_time.q()
  g_strdup_printf(format.p-utf8, value.q)
  g_free(*memory)
  g_usleep(microseconds.l)
EndImport

#GTK_WINDOW_TOPLEVEL = 0
#MICROSECONDS = 1000000

Global quit.l = #False

; "delete-event": the user wants to close the window. Returning #True
; keeps GTK from destroying it; the loop below does that itself.
ProcedureC.l OnDeleteEvent(*widget, *event, *userData)
  quit = #True
  ProcedureReturn #True
EndProcedure

Procedure ShowSeconds(*label, seconds.q)
  Protected *text = g_strdup_printf("Running for %ld s", seconds)
  gtk_label_set_text(*label, *text)
  g_free(*text)
EndProcedure

Define *window, *label
Define start.q, elapsed.q, shown.q = -1

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Own event loop")
gtk_window_set_default_size(*window, 260, 80)
*label = gtk_label_new("starting ...")
gtk_container_add(*window, *label)
g_signal_connect_data(*window, "delete-event", @OnDeleteEvent(), #Null, #Null, 0)
gtk_widget_show_all(*window)

start = g_get_monotonic_time()
Repeat
  ; handle everything that waits, but never block
  While gtk_events_pending()
    gtk_main_iteration_do(#False)
  Wend

  elapsed = (g_get_monotonic_time() - start) / #MICROSECONDS
  If elapsed <> shown
    shown = elapsed
    ShowSeconds(*label, shown)
  EndIf

  g_usleep(20000)        ; 20 ms
Until quit

gtk_widget_destroy(*window)
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 48
; FirstLine = 30
; Folding = -
; Executable = main_loop

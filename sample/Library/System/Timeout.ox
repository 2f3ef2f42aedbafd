; ==================================================================
;  Zeitgeber mit g_timeout_add und g_timeout_add_seconds
; ==================================================================
;  A countdown with a one-second timer and a blinking label with a
;  500 ms timer. A timer function returns G_SOURCE_CONTINUE to run
;  again or G_SOURCE_REMOVE to end; g_source_remove() stops a
;  timer from outside by its id.
;
; Link to topic:   https://example.org/orvex/glib/timeout
; Link to topic:   https://example.org/orvex/glib/main-loop

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lglib-2.0"
  g_timeout_add(interval.l, *function, *data)
  g_timeout_add_seconds(interval.l, *function, *data)
  g_source_remove(id.l)
EndImport

ImportC "-lgtk-3"
  gtk_widget_set_opacity(*widget, opacity.d)
  gtk_label_set_c_text(*label, *text) As "gtk_label_set_text"
EndImport

#COUNTDOWN_START = 10

Structure Timers
  *countLabel
  *blinkLabel
  remaining.l
  blinkId.l
  visible.l
EndStructure

Global timers.Timers

ProcedureC.l OnSecond(*userData)
  Protected *text
  timers\remaining = timers\remaining - 1

  If timers\remaining <= 0
    gtk_label_set_text(timers\countLabel, "Zeit abgelaufen!")
    If timers\blinkId
      g_source_remove(timers\blinkId)           ; stop the other timer, too
      timers\blinkId = 0
      gtk_widget_set_opacity(timers\blinkLabel, 1.0)
    EndIf
    ProcedureReturn #G_SOURCE_REMOVE
  EndIf

  *text = g_strdup_printf("Noch %d Sekunden", timers\remaining)
  gtk_label_set_c_text(timers\countLabel, *text)
  g_free(*text)
  ProcedureReturn #G_SOURCE_CONTINUE
EndProcedure

ProcedureC.l OnBlink(*userData)
  timers\visible = 1 - timers\visible
  If timers\visible
    gtk_widget_set_opacity(timers\blinkLabel, 1.0)
  Else
    gtk_widget_set_opacity(timers\blinkLabel, 0.2)
  EndIf
  ProcedureReturn #G_SOURCE_CONTINUE
EndProcedure

Define *window, *box

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Zeitgeber")
gtk_window_set_default_size(*window, 260, 100)
*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 6)
gtk_container_set_border_width(*box, 10)
gtk_container_add(*window, *box)

timers\remaining = #COUNTDOWN_START
timers\countLabel = gtk_label_new("Start ...")
timers\blinkLabel = gtk_label_new("● läuft")
gtk_box_pack_start(*box, timers\countLabel, #True, #True, 0)
gtk_box_pack_start(*box, timers\blinkLabel, #True, #True, 0)

; seconds timers are grouped by GLib to save wake-ups
g_timeout_add_seconds(1, @OnSecond(), #Null)
timers\blinkId = g_timeout_add(500, @OnBlink(), #Null)

g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 33
; FirstLine = 11
; Folding = -
; Executable = timeout

; ==================================================================
;  Fortschrittsbalken mit Zeitgeber
; ==================================================================
;  A timer fills the bar in 50 steps; the start button is locked
;  while it runs. A second bar only "pulses" because the amount
;  of work is unknown.
;
; Link to topic:   https://example.org/orvex/gtk3/progress-bar
; Link to topic:   https://example.org/orvex/glib/timeout

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_progress_bar_new()
  gtk_progress_bar_set_fraction(*bar, fraction.d)
  gtk_progress_bar_get_fraction.d(*bar)
  gtk_progress_bar_set_text(*bar, text.p-utf8)
  gtk_progress_bar_reset_text(*bar, *noText) As "gtk_progress_bar_set_text"
  gtk_progress_bar_set_show_text(*bar, show.l)
  gtk_progress_bar_pulse(*bar)
  gtk_progress_bar_set_pulse_step(*bar, fraction.d)
EndImport

ImportC "-lglib-2.0"
  g_timeout_add(interval.l, *function, *data)
EndImport

#STEPS = 50

Structure Job
  *bar
  *pulseBar
  *button
  step.l
EndStructure

Global job.Job

; Timer callback: returns #G_SOURCE_CONTINUE to be called again,
; #G_SOURCE_REMOVE to stop the timer.
ProcedureC.l OnTick(*userData)
  job\step = job\step + 1
  gtk_progress_bar_set_fraction(job\bar, job\step / #STEPS)
  gtk_progress_bar_pulse(job\pulseBar)

  If job\step >= #STEPS
    gtk_progress_bar_set_text(job\bar, "Fertig!")
    gtk_widget_set_sensitive(job\button, #True)
    ProcedureReturn #G_SOURCE_REMOVE
  EndIf
  ProcedureReturn #G_SOURCE_CONTINUE
EndProcedure

ProcedureC OnStart(*button, *userData)
  job\step = 0
  gtk_progress_bar_set_fraction(job\bar, 0.0)
  gtk_progress_bar_reset_text(job\bar, #Null)      ; no text: the percentage shows
  gtk_widget_set_sensitive(*button, #False)
  g_timeout_add(100, @OnTick(), #Null)              ; every 100 ms
EndProcedure

Define *window, *box

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Fortschritt")
gtk_window_set_default_size(*window, 320, 120)
gtk_container_set_border_width(*window, 12)
*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 10)
gtk_container_add(*window, *box)

job\bar = gtk_progress_bar_new()
gtk_progress_bar_set_show_text(job\bar, #True)
gtk_box_pack_start(*box, job\bar, #False, #False, 0)

job\pulseBar = gtk_progress_bar_new()
gtk_progress_bar_set_pulse_step(job\pulseBar, 0.1)
gtk_box_pack_start(*box, job\pulseBar, #False, #False, 0)

job\button = gtk_button_new_with_mnemonic("_Start")
gtk_box_pack_start(*box, job\button, #False, #False, 0)
g_signal_connect(job\button, "clicked", @OnStart(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)

gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 47
; FirstLine = 26
; Folding = -
; EnableUnicode
; Executable = progress_bar

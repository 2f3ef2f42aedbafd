; ==================================================================
;  Animation with a timer and Cairo
; ==================================================================
;  A timer advances an angle about 60 times a second and asks the
;  drawing area to redraw itself; the "draw" handler paints a clock
;  hand at that angle. The timer is removed when the window closes.
;
; Link to topic:   https://example.org/orvex/gtk3/animation
; Link to topic:   https://example.org/orvex/cairo/transformations

ImportC "-lgtk-3"
  gtk_init(*argc, *argv)
  gtk_main()
  gtk_main_quit()
  gtk_window_new(type.l)
  gtk_window_set_title(*window, title.p-utf8)
  gtk_container_add(*container, *widget)
  gtk_widget_show_all(*widget)
  gtk_widget_queue_draw(*widget)
  gtk_drawing_area_new()
  gtk_widget_set_size_request(*widget, width.l, height.l)
  gtk_widget_get_allocated_width(*widget)
  gtk_widget_get_allocated_height(*widget)
EndImport

ImportC "-lgobject-2.0"
  g_signal_connect_data(*instance, signal.p-utf8, *handler, *data, *destroy, flags.l)
EndImport

ImportC "-lglib-2.0"
  g_timeout_add(interval.l, *function, *data)
  g_source_remove(id.l)
EndImport

ImportC "-lcairo"
  cairo_set_source_rgb(*cr, red.d, green.d, blue.d)
  cairo_set_line_width(*cr, width.d)
  cairo_set_line_cap(*cr, cap.l)
  cairo_translate(*cr, x.d, y.d)
  cairo_rotate(*cr, angle.d)
  cairo_arc(*cr, xc.d, yc.d, radius.d, angle1.d, angle2.d)
  cairo_move_to(*cr, x.d, y.d)
  cairo_line_to(*cr, x.d, y.d)
  cairo_stroke(*cr)
  cairo_paint(*cr)
EndImport

#GTK_WINDOW_TOPLEVEL  = 0
#CAIRO_LINE_CAP_ROUND = 1
#PI                   = 3.14159265358979
#FRAME_MS             = 16          ; about 60 frames per second
#STEP                 = 0.03        ; radians per frame

Global angle.d, timerId.l

ProcedureC.l OnTick(*area)
  angle = angle + #STEP
  If angle > 2 * #PI
    angle = angle - 2 * #PI
  EndIf
  gtk_widget_queue_draw(*area)
  ProcedureReturn #True            ; keep the timer running
EndProcedure

ProcedureC.l OnDraw(*widget, *cr, *userData)
  Protected width.d = gtk_widget_get_allocated_width(*widget)
  Protected height.d = gtk_widget_get_allocated_height(*widget)
  Protected radius.d = height / 2 - 10

  cairo_set_source_rgb(*cr, 0.1, 0.1, 0.15)
  cairo_paint(*cr)

  cairo_translate(*cr, width / 2, height / 2)   ; origin in the middle
  cairo_set_source_rgb(*cr, 0.45, 0.62, 0.81)
  cairo_set_line_width(*cr, 3)
  cairo_arc(*cr, 0, 0, radius, 0, 2 * #PI)
  cairo_stroke(*cr)

  cairo_rotate(*cr, angle)
  cairo_set_line_cap(*cr, #CAIRO_LINE_CAP_ROUND)
  cairo_set_line_width(*cr, 6)
  cairo_move_to(*cr, 0, 0)
  cairo_line_to(*cr, 0, -radius + 12)
  cairo_stroke(*cr)
  ProcedureReturn #False
EndProcedure

ProcedureC OnDestroy(*widget, *userData)
  If timerId
    g_source_remove(timerId)     ; no more ticks for a widget that is gone
    timerId = 0
  EndIf
  gtk_main_quit()
EndProcedure

Define *window, *area

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Cairo animation")
*area = gtk_drawing_area_new()
gtk_widget_set_size_request(*area, 240, 240)
gtk_container_add(*window, *area)

g_signal_connect_data(*area, "draw", @OnDraw(), #Null, #Null, 0)
g_signal_connect_data(*window, "destroy", @OnDestroy(), #Null, #Null, 0)
timerId = g_timeout_add(#FRAME_MS, @OnTick(), *area)

gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 56
; FirstLine = 38
; Folding = -
; EnableThread
; Executable = cairo_animation

; ==================================================================
;  Zeichnen mit Cairo in einer GtkDrawingArea
; ==================================================================
;  The "draw" signal hands over a cairo context that is ready to
;  use. Rectangles, a circle, lines and text; the picture follows
;  the size of the window because it reads the allocated size.
;
; Link to topic:   https://example.org/orvex/gtk3/drawing-area
; Link to topic:   https://example.org/orvex/cairo/basics

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_drawing_area_new()
  gtk_widget_set_size_request(*widget, width.l, height.l)
  gtk_widget_get_allocated_width(*widget)
  gtk_widget_get_allocated_height(*widget)
EndImport

ImportC "-lcairo"
  cairo_set_source_rgb(*cr, red.d, green.d, blue.d)
  cairo_set_source_rgba(*cr, red.d, green.d, blue.d, alpha.d)
  cairo_set_line_width(*cr, width.d)
  cairo_rectangle(*cr, x.d, y.d, width.d, height.d)
  cairo_arc(*cr, xc.d, yc.d, radius.d, angle1.d, angle2.d)
  cairo_move_to(*cr, x.d, y.d)
  cairo_line_to(*cr, x.d, y.d)
  cairo_fill(*cr)
  cairo_fill_preserve(*cr)
  cairo_stroke(*cr)
  cairo_paint(*cr)
  cairo_select_font_face(*cr, family.p-utf8, slant.l, weight.l)
  cairo_set_font_size(*cr, size.d)
  cairo_show_text(*cr, text.p-utf8)
EndImport

#PI = 3.14159265358979
#CAIRO_FONT_SLANT_NORMAL  = 0
#CAIRO_FONT_WEIGHT_BOLD   = 1

; Background, a framed box, a circle with a half-transparent fill,
; a diagonal line and a caption.
ProcedureC.l OnDraw(*widget, *cr, *userData)
  Protected width.d = gtk_widget_get_allocated_width(*widget)
  Protected height.d = gtk_widget_get_allocated_height(*widget)
  Protected radius.d

  cairo_set_source_rgb(*cr, 1.0, 1.0, 1.0)
  cairo_paint(*cr)

  cairo_set_source_rgb(*cr, 0.20, 0.40, 0.64)
  cairo_set_line_width(*cr, 4)
  cairo_rectangle(*cr, 20, 20, width / 2 - 30, height - 40)
  cairo_stroke(*cr)

  radius = height / 4
  cairo_arc(*cr, width * 0.75, height / 2, radius, 0, 2 * #PI)
  cairo_set_source_rgba(*cr, 0.94, 0.16, 0.16, 0.5)
  cairo_fill_preserve(*cr)                 ; keep the path for the outline
  cairo_set_source_rgb(*cr, 0.64, 0.0, 0.0)
  cairo_stroke(*cr)

  cairo_set_source_rgb(*cr, 0.3, 0.3, 0.3)
  cairo_set_line_width(*cr, 1)
  cairo_move_to(*cr, 0, height)
  cairo_line_to(*cr, width, 0)
  cairo_stroke(*cr)

  cairo_select_font_face(*cr, "Sans", #CAIRO_FONT_SLANT_NORMAL, #CAIRO_FONT_WEIGHT_BOLD)
  cairo_set_font_size(*cr, 18)
  cairo_move_to(*cr, 30, 50)
  cairo_show_text(*cr, "Cairo grüßt!")

  ProcedureReturn #False           ; other handlers may draw, too
EndProcedure

Define *window, *area

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Cairo")
*area = gtk_drawing_area_new()
gtk_widget_set_size_request(*area, 400, 240)
gtk_container_add(*window, *area)

g_signal_connect(*area, "draw", @OnDraw(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 43
; FirstLine = 24
; Folding = -
; EnableUnicode
; Executable = cairo_basics

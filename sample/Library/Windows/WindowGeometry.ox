; ==================================================================
;  Größe, Position und Zustand eines Fensters
; ==================================================================
;  Moves and resizes a window, reads its size back after every change
;  ("configure-event") and follows the maximised state ("window-state-event").
;
; Link to topic:   https://example.org/orvex/gtk3/window-geometry
; Link to topic:   https://example.org/orvex/gdk3/window-state

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_window_move(*window, x.l, y.l)
  gtk_window_resize(*window, width.l, height.l)
  gtk_window_get_size(*window, *width, *height)
  gtk_window_get_position(*window, *x, *y)
  gtk_window_maximize(*window)
  gtk_window_unmaximize(*window)
  gtk_window_set_geometry_hints(*window, *widget, *geometry, mask.l)
  gtk_label_set_c_text(*label, *text) As "gtk_label_set_text"
EndImport
ImportC "-lglib-2.0"
  g_strdup_printf_geometry(format.p-utf8, width.l, height.l, x.l, y.l) As "g_strdup_printf"
EndImport

#GDK_WINDOW_STATE_MAXIMIZED = 4
#GDK_HINT_MIN_SIZE          = 2

; GdkEventWindowState, as laid out in memory on x64
Structure GdkEventWindowState
  type.l
  *window
  send_event.b
  changed_mask.l
  new_window_state.l
EndStructure

; GdkGeometry; only the minimum size is used here
Structure GdkGeometry
  min_width.l
  min_height.l
  max_width.l
  max_height.l
  base_width.l
  base_height.l
  width_inc.l
  height_inc.l
  min_ratio.d
  max_ratio.d
  win_gravity.l
EndStructure

Global *info

ProcedureC.l OnConfigure(*window, *event, *userData)
  Protected width.l, height.l, x.l, y.l, *text
  gtk_window_get_size(*window, @width, @height)
  gtk_window_get_position(*window, @x, @y)
  *text = g_strdup_printf_geometry("%d × %d Pixel bei %d, %d", width, height, x, y)
  gtk_label_set_c_text(*info, *text)
  g_free(*text)
  ProcedureReturn #False       ; let GTK handle the event, too
EndProcedure

ProcedureC.l OnWindowState(*window, *event.GdkEventWindowState, *userData)
  If *event\changed_mask & #GDK_WINDOW_STATE_MAXIMIZED
    If *event\new_window_state & #GDK_WINDOW_STATE_MAXIMIZED
      gtk_label_set_text(*info, "maximiert")
    Else
      gtk_label_set_text(*info, "normal")
    EndIf
  EndIf
  ProcedureReturn #False
EndProcedure

ProcedureC OnToggleMaximize(*button, *window)
  Static maximized.l
  maximized = 1 - maximized
  If maximized
    gtk_window_maximize(*window)
  Else
    gtk_window_unmaximize(*window)
  EndIf
EndProcedure

Define geometry.GdkGeometry
Define *window, *box, *button

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Fenster-Geometrie")

geometry\min_width = 300
geometry\min_height = 150
gtk_window_set_geometry_hints(*window, #Null, @geometry, #GDK_HINT_MIN_SIZE)

gtk_window_resize(*window, 480, 240)
gtk_window_move(*window, 100, 80)

*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 6)
gtk_container_set_border_width(*box, 10)
*info = gtk_label_new("")
*button = gtk_button_new_with_mnemonic("_Maximieren / Normal")
gtk_box_pack_start(*box, *info, #True, #True, 0)
gtk_box_pack_start(*box, *button, #False, #False, 0)
gtk_container_add(*window, *box)

g_signal_connect(*window, "configure-event", @OnConfigure(), #Null)
g_signal_connect(*window, "window-state-event", @OnWindowState(), #Null)
g_signal_connect(*button, "clicked", @OnToggleMaximize(), *window)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)

gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 58
; FirstLine = 44
; EnableUnicode
; Executable = window_geometry

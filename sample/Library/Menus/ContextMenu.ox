; ==================================================================
;  Kontextmenü per Rechtsklick
; ==================================================================
;  A right click into the area opens a popup menu at the mouse.
;  gtk_menu_popup_at_pointer() needs GTK 3.22; it takes the event
;  that opened the menu, so the menu knows where and why it opens.
;
; Link to topic:   https://example.org/orvex/gtk3/context-menu
; Link to topic:   https://example.org/orvex/gdk3/button-events

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_event_box_new()
  gtk_menu_new()
  gtk_menu_item_new_with_label(label.p-utf8)
  gtk_menu_shell_append(*shell, *child)
  gtk_menu_popup_at_pointer(*menu, *triggerEvent)
  gtk_widget_show_all_items(*widget) As "gtk_widget_show_all"
  gtk_label_set_c_text(*label, *text) As "gtk_label_set_text"
EndImport

ImportC "-lglib-2.0"
  g_strdup_printf_xy(format.p-utf8, x.d, y.d) As "g_strdup_printf"
EndImport

#GDK_BUTTON_PRESS = 4
#BUTTON_RIGHT     = 3

; The start of GdkEventButton on x64
Structure GdkEventButton
  type.l
  *window
  send_event.b
  time.l
  x.d
  y.d
  *axes
  state.l
  button.l
EndStructure

Global *menu, *label

ProcedureC OnMenuItem(*item, *userData)
  gtk_label_set_text(*label, "Menüpunkt gewählt")
EndProcedure

ProcedureC.l OnButtonPress(*widget, *event.GdkEventButton, *userData)
  Protected *text

  If *event\type = #GDK_BUTTON_PRESS And *event\button = #BUTTON_RIGHT
    *text = g_strdup_printf_xy("Rechtsklick bei %.0f, %.0f", *event\x, *event\y)
    gtk_label_set_c_text(*label, *text)
    g_free(*text)
    gtk_menu_popup_at_pointer(*menu, *event)
    ProcedureReturn #True            ; handled, no further processing
  EndIf
  ProcedureReturn #False
EndProcedure

Procedure.i BuildMenu()
  Protected *popup = gtk_menu_new()
  Protected *item, i.l, text.s

  Restore MenuTexts
  For i = 1 To 3
    Read.s text
    *item = gtk_menu_item_new_with_label(text)
    gtk_menu_shell_append(*popup, *item)
    g_signal_connect(*item, "activate", @OnMenuItem(), #Null)
  Next
  gtk_widget_show_all_items(*popup)
  ProcedureReturn *popup
EndProcedure

Define *window, *eventBox

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Kontextmenü")
gtk_window_set_default_size(*window, 320, 200)

*eventBox = gtk_event_box_new()
*label = gtk_label_new("Rechtsklick hier")
gtk_container_add(*eventBox, *label)
gtk_container_add(*window, *eventBox)
*menu = BuildMenu()

g_signal_connect(*eventBox, "button-press-event", @OnButtonPress(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End

DataSection
  MenuTexts:
  Data.s "Ausschneiden", "Kopieren", "Einfügen"
EndDataSection
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 52
; FirstLine = 33
; Folding = -
; Executable = context_menu

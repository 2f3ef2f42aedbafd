; ==================================================================
;  Popover-Menü an einer GtkMenuButton (GTK 3.12 and newer)
; ==================================================================
;  A menu button opens a popover: a small bubble window that points
;  at the button and holds ordinary widgets, here three buttons.
;
; Link to topic:   https://example.org/orvex/gtk3/popover

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_menu_button_new()
  gtk_menu_button_set_popover(*menuButton, *popover)
  gtk_menu_button_set_direction(*menuButton, direction.l)
  gtk_popover_new(*relativeTo)
  gtk_popover_set_position(*popover, position.l)
  gtk_widget_hide(*widget)
  gtk_widget_show_all_children(*widget) As "gtk_widget_show_all"
  gtk_button_set_relief(*button, relief.l)
EndImport

#GTK_POS_BOTTOM     = 3
#GTK_ARROW_DOWN     = 1
#GTK_RELIEF_NONE    = 2

Global *popover, *status

ProcedureC OnItem(*button, *userData)
  gtk_widget_hide(*popover)                     ; close the bubble first
  Select *userData
    Case 1 : gtk_label_set_text(*status, "Kopieren")
    Case 2 : gtk_label_set_text(*status, "Einfügen")
    Case 3 : gtk_label_set_text(*status, "Löschen")
  EndSelect
EndProcedure

Procedure AddItem(*box, label.s, number.i)
  Protected *button = gtk_button_new_with_mnemonic(label)
  gtk_button_set_relief(*button, #GTK_RELIEF_NONE)   ; looks like a menu item
  gtk_box_pack_start(*box, *button, #False, #False, 0)
  g_signal_connect(*button, "clicked", @OnItem(), number)
EndProcedure

Define *window, *vbox, *menuButton, *items

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Popover")
gtk_window_set_default_size(*window, 260, 180)
gtk_container_set_border_width(*window, 12)

*vbox = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 12)
gtk_container_add(*window, *vbox)

*menuButton = gtk_menu_button_new()
gtk_menu_button_set_direction(*menuButton, #GTK_ARROW_DOWN)
gtk_box_pack_start(*vbox, *menuButton, #False, #False, 0)

*popover = gtk_popover_new(*menuButton)
gtk_popover_set_position(*popover, #GTK_POS_BOTTOM)
*items = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 0)
gtk_container_set_border_width(*items, 6)
AddItem(*items, "_Kopieren", 1)
AddItem(*items, "_Einfügen", 2)
AddItem(*items, "_Löschen", 3)
gtk_container_add(*popover, *items)
gtk_widget_show_all_children(*items)     ; the popover itself stays hidden
gtk_menu_button_set_popover(*menuButton, *popover)

*status = gtk_label_new("Pfeil anklicken")
gtk_box_pack_start(*vbox, *status, #True, #True, 0)

g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 28
; FirstLine = 9
; Folding = -
; Executable = popover

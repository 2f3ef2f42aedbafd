; ==================================================================
;  Boxen: pack_start, pack_end, Abstände und Ränder
; ==================================================================
;  Shows how expand, fill and padding of gtk_box_pack_start() work.
;  Each row is a horizontal box with three buttons packed in a
;  different way; a homogeneous box at the bottom gives all its
;  children the same width.
;
; Link to topic:   https://example.org/orvex/gtk3/box-layout

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_box_set_homogeneous(*box, homogeneous.l)
  gtk_separator_new(orientation.l)
  gtk_widget_set_margin_start(*widget, margin.l)
  gtk_widget_set_margin_end(*widget, margin.l)
EndImport

; One row: caption on the left, then three buttons packed with the
; given expand and fill values.
Procedure AddRow(*parent, caption.s, expand.l, fill.l, padding.l)
  Protected *row, *label, i.l

  *row = gtk_box_new(#GTK_ORIENTATION_HORIZONTAL, 4)
  *label = gtk_label_new(caption)
  gtk_widget_set_margin_end(*label, 8)
  gtk_box_pack_start(*row, *label, #False, #False, 0)

  For i = 1 To 3
    gtk_box_pack_start(*row, gtk_button_new_with_label("Knopf"), expand, fill, padding)
  Next i

  gtk_box_pack_start(*parent, *row, #False, #False, 0)
EndProcedure

Define *window, *vbox, *bottom, *quit

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Box-Layout")
gtk_window_set_default_size(*window, 560, 260)
gtk_container_set_border_width(*window, 10)

*vbox = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 6)
gtk_container_add(*window, *vbox)

AddRow(*vbox, "expand=0 fill=0", #False, #False, 0)
AddRow(*vbox, "expand=1 fill=0", #True, #False, 0)
AddRow(*vbox, "expand=1 fill=1", #True, #True, 0)
AddRow(*vbox, "padding=10", #False, #False, 10)

gtk_box_pack_start(*vbox, gtk_separator_new(#GTK_ORIENTATION_HORIZONTAL), #False, #False, 6)

; homogeneous: every child gets the same size
*bottom = gtk_box_new(#GTK_ORIENTATION_HORIZONTAL, 6)
gtk_box_set_homogeneous(*bottom, #True)
gtk_box_pack_start(*bottom, gtk_button_new_with_label("Kurz"), #True, #True, 0)
gtk_box_pack_start(*bottom, gtk_button_new_with_label("Ein viel längerer Text"), #True, #True, 0)
*quit = gtk_button_new_with_mnemonic("_Beenden")
gtk_box_pack_end(*bottom, *quit, #True, #True, 0)      ; pack_end: from the right
gtk_box_pack_end(*vbox, *bottom, #False, #False, 0)

g_signal_connect(*quit, "clicked", @Common_OnDestroy(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 21
; FirstLine = 3
; Folding = -
; EnableUnicode
; Executable = box_layout

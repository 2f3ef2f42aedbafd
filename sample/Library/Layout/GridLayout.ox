; ==================================================================
;  Raster-Layout mit GtkGrid: ein kleines Formular
; ==================================================================
;  Labels in the first column, entries in the second. The comment
;  field spans two columns; hexpand lets the entries grow with the
;  window while the labels keep their width.
;
; Link to topic:   https://example.org/orvex/gtk3/grid

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_grid_new()
  gtk_grid_attach(*grid, *child, left.l, top.l, width.l, height.l)
  gtk_grid_set_row_spacing(*grid, spacing.l)
  gtk_grid_set_column_spacing(*grid, spacing.l)
  gtk_widget_set_hexpand(*widget, expand.l)
  gtk_widget_set_vexpand(*widget, expand.l)
  gtk_entry_new()
  gtk_entry_get_text(*entry)
  gtk_text_view_new()
  gtk_frame_new(label.p-utf8)
EndImport

Enumeration FormRows
  #RowName
  #RowMail
  #RowPhone
  #RowComment
EndEnumeration

Dim fields.i(#RowPhone)        ; the entries, one per row

; Attaches a right-aligned label and a growing entry in one row.
Procedure.i AddField(*grid, row.l, caption.s)
  Protected *label = gtk_label_new(caption)
  Protected *entry = gtk_entry_new()

  gtk_widget_set_halign(*label, #GTK_ALIGN_END)
  gtk_widget_set_hexpand(*entry, #True)
  gtk_grid_attach(*grid, *label, 0, row, 1, 1)
  gtk_grid_attach(*grid, *entry, 1, row, 1, 1)
  ProcedureReturn *entry
EndProcedure

ProcedureC OnSend(*button, *userData)
  Shared fields()
  Protected row.l
  For row = #RowName To #RowPhone
    g_print(~"%s\n", gtk_entry_get_text(fields(row)))
  Next
EndProcedure

Define *window, *grid, *frame, *send

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Formular im Raster")
gtk_window_set_default_size(*window, 400, 280)
gtk_container_set_border_width(*window, 12)

*grid = gtk_grid_new()
gtk_grid_set_row_spacing(*grid, 6)
gtk_grid_set_column_spacing(*grid, 10)
gtk_container_add(*window, *grid)

fields(#RowName)  = AddField(*grid, #RowName, "Name:")
fields(#RowMail)  = AddField(*grid, #RowMail, "E-Mail:")
fields(#RowPhone) = AddField(*grid, #RowPhone, "Telefon:")

; the comment spans both columns and takes the remaining height
*frame = gtk_frame_new("Bemerkung")
gtk_container_add(*frame, gtk_text_view_new())
gtk_widget_set_vexpand(*frame, #True)
gtk_grid_attach(*grid, *frame, 0, #RowComment, 2, 1)

*send = gtk_button_new_with_mnemonic("_Senden")
gtk_widget_set_halign(*send, #GTK_ALIGN_END)
gtk_grid_attach(*grid, *send, 1, #RowComment + 1, 1, 1)

g_signal_connect(*send, "clicked", @OnSend(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 47
; FirstLine = 25
; Folding = -
; EnableUnicode
; Executable = grid_layout

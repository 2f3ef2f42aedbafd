; ==================================================================
;  Eingabefeld mit Symbolen (GtkEntry)
; ==================================================================
;  A search field with a find icon at the start and a clear icon at
;  the end, a placeholder text, and a password field below it.
;  Return in the search field or a click on the find icon "searches".
;
; Link to topic:   https://example.org/orvex/gtk3/entry

ImportC "-lgtk-3"
  gtk_init(*argc, *argv)
  gtk_main()
  gtk_main_quit()
  gtk_window_new(type.l)
  gtk_window_set_title(*window, title.p-utf8)
  gtk_container_add(*container, *widget)
  gtk_container_set_border_width(*container, width.l)
  gtk_widget_show_all(*widget)
  gtk_widget_grab_focus(*widget)
  gtk_box_new(orientation.l, spacing.l)
  gtk_box_pack_start(*box, *child, expand.l, fill.l, padding.l)
  gtk_label_new(text.p-utf8)
  gtk_label_set_text(*label, *text)
  gtk_entry_new()
  gtk_entry_get_text(*entry)
  gtk_entry_set_text(*entry, text.p-utf8)
  gtk_entry_set_placeholder_text(*entry, text.p-utf8)
  gtk_entry_set_max_length(*entry, max.l)
  gtk_entry_set_visibility(*entry, visible.l)
  gtk_entry_set_icon_from_icon_name(*entry, position.l, name.p-utf8)
  gtk_entry_set_icon_activatable(*entry, position.l, activatable.l)
  gtk_entry_set_icon_tooltip_text(*entry, position.l, tooltip.p-utf8)
EndImport

ImportC "-lgobject-2.0"
  g_signal_connect_data(*instance, signal.p-utf8, *handler, *data, *destroy, flags.l)
EndImport

ImportC "-lglib-2.0"
  g_strdup_printf(format.p-utf8, *text)
  g_free(*memory)
EndImport

#GTK_WINDOW_TOPLEVEL      = 0
#GTK_ORIENTATION_VERTICAL = 1
#GTK_ENTRY_ICON_PRIMARY   = 0
#GTK_ENTRY_ICON_SECONDARY = 1

Global *result

Procedure Search(*entry)
  Protected *text = gtk_entry_get_text(*entry)   ; owned by the entry, do not free
  Protected *message = g_strdup_printf("Suche nach: %s", *text)
  gtk_label_set_text(*result, *message)
  g_free(*message)
EndProcedure

; "icon-press": position 0 is the start icon, 1 the end icon
ProcedureC OnIconPress(*entry, position.l, *event, *userData)
  If position = #GTK_ENTRY_ICON_PRIMARY
    Search(*entry)
  Else
    gtk_entry_set_text(*entry, "")
    gtk_widget_grab_focus(*entry)
  EndIf
EndProcedure

; "activate" is sent when Return is pressed in the field
ProcedureC OnActivate(*entry, *userData)
  Search(*entry)
EndProcedure

Procedure.i CreateSearchEntry()
  Protected *entry = gtk_entry_new()
  gtk_entry_set_placeholder_text(*entry, "Search...")
  gtk_entry_set_icon_from_icon_name(*entry, #GTK_ENTRY_ICON_PRIMARY, "edit-find")
  gtk_entry_set_icon_from_icon_name(*entry, #GTK_ENTRY_ICON_SECONDARY, "edit-clear")
  gtk_entry_set_icon_activatable(*entry, #GTK_ENTRY_ICON_PRIMARY, #True)
  gtk_entry_set_icon_activatable(*entry, #GTK_ENTRY_ICON_SECONDARY, #True)
  gtk_entry_set_icon_tooltip_text(*entry, #GTK_ENTRY_ICON_PRIMARY, "[Return] Suchen")
  gtk_entry_set_icon_tooltip_text(*entry, #GTK_ENTRY_ICON_SECONDARY, "Suchbegriff löschen")
  g_signal_connect_data(*entry, "icon-press", @OnIconPress(), #Null, #Null, 0)
  g_signal_connect_data(*entry, "activate", @OnActivate(), #Null, #Null, 0)
  ProcedureReturn *entry
EndProcedure

Define *window, *box, *search, *password

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Eingabefelder")
gtk_container_set_border_width(*window, 10)
*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 6)
gtk_container_add(*window, *box)

*search = CreateSearchEntry()
gtk_box_pack_start(*box, *search, #False, #False, 0)

*password = gtk_entry_new()
gtk_entry_set_visibility(*password, #False)      ; shows dots instead of letters
gtk_entry_set_max_length(*password, 32)
gtk_entry_set_placeholder_text(*password, "Passwort")
gtk_box_pack_start(*box, *password, #False, #False, 0)

*result = gtk_label_new("")
gtk_box_pack_start(*box, *result, #True, #True, 0)

g_signal_connect_data(*window, "destroy", @gtk_main_quit(), #Null, #Null, 0)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 66
; FirstLine = 47
; Folding = -
; Executable = entry

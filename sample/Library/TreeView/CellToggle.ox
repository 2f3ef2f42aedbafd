; ==================================================================
;  Kontrollkästchen in Zellen (GtkCellRendererToggle)
; ==================================================================
;  A boolean column is drawn as a check box. The renderer does not
;  change the model by itself: the "toggled" handler finds the row
;  by its path text and flips the value in the store.
;
; Link to topic:   https://example.org/orvex/gtk3/cell-renderer-toggle

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_list_store_new(columns.l, type1.i, type2.i)
  gtk_list_store_insert_with_values(*store, *iter, position.l, column1.l, active.l,
                                    column2.l, text.p-utf8, terminator.l)
  gtk_list_store_set_bool(*store, *iter, column.l, value.l, terminator.l) As "gtk_list_store_set"
  gtk_tree_model_get_iter_from_string(*model, *iter, path.p-utf8)
  gtk_tree_model_get_bool(*model, *iter, column.l, *value, terminator.l) As "gtk_tree_model_get"
  gtk_tree_view_new_with_model(*model)
  gtk_tree_view_append_column(*view, *column)
  gtk_tree_view_column_new_with_attributes(title.p-utf8, *renderer, attribute.p-utf8,
                                           column.l, *terminator)
  gtk_cell_renderer_toggle_new()
  gtk_cell_renderer_text_new()
EndImport

#G_TYPE_BOOLEAN = 20
#G_TYPE_STRING  = 64

Enumeration
  #ColDone
  #ColTask
EndEnumeration

Structure GtkTreeIter
  stamp.l
  *userData
  *userData2
  *userData3
EndStructure

; "toggled" gets the renderer and the row's path as text, e.g. "2"
ProcedureC OnToggled(*renderer, path.p-utf8, *store)
  Protected iter.GtkTreeIter, done.l

  If gtk_tree_model_get_iter_from_string(*store, @iter, path)
    gtk_tree_model_get_bool(*store, @iter, #ColDone, @done, -1)
    gtk_list_store_set_bool(*store, @iter, #ColDone, 1 - done, -1)
  EndIf
EndProcedure

Define *window, *store, *view, *toggle

gtk_init(#Null, #Null)
*store = gtk_list_store_new(2, #G_TYPE_BOOLEAN, #G_TYPE_STRING)
gtk_list_store_insert_with_values(*store, #Null, -1, #ColDone, #True, #ColTask, "Import-Block schreiben", -1)
gtk_list_store_insert_with_values(*store, #Null, -1, #ColDone, #False, #ColTask, "Signale verbinden", -1)
gtk_list_store_insert_with_values(*store, #Null, -1, #ColDone, #False, #ColTask, "Fenster zeigen", -1)

*view = gtk_tree_view_new_with_model(*store)
*toggle = gtk_cell_renderer_toggle_new()
gtk_tree_view_append_column(*view, gtk_tree_view_column_new_with_attributes("Erledigt", *toggle, "active", #ColDone, #Null))
gtk_tree_view_append_column(*view, gtk_tree_view_column_new_with_attributes("Aufgabe", gtk_cell_renderer_text_new(), "text", #ColTask, #Null))

*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Kontrollkästchen in Zellen")
gtk_window_set_default_size(*window, 300, 180)
gtk_container_add(*window, *view)

g_signal_connect(*toggle, "toggled", @OnToggled(), *store)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
g_object_unref(*store)
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 45
; FirstLine = 20
; Folding = -
; EnableUnicode
; Executable = cell_toggle

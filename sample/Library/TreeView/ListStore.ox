; ==================================================================
;  Liste mit GtkListStore und GtkTreeView
; ==================================================================
;  A list store with three columns (text, number, text) is filled
;  from a DataSection and shown in a tree view. Selecting a row
;  prints its values; a click on a column header sorts by it.
;
; Link to topic:   https://example.org/orvex/gtk3/list-store
; Link to topic:   https://example.org/orvex/gtk3/tree-view

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_list_store_new(columns.l, type1.i, type2.i, type3.i)
  gtk_list_store_append(*store, *iter)
  gtk_list_store_set(*store, *iter, column1.l, text1.p-utf8, column2.l, value2.l,
                     column3.l, text3.p-utf8, terminator.l)
  gtk_tree_view_new_with_model(*model)
  gtk_tree_view_append_column(*view, *column)
  gtk_tree_view_get_selection(*view)
  gtk_tree_view_column_new_with_attributes(title.p-utf8, *renderer, attribute.p-utf8,
                                           column.l, *terminator)
  gtk_tree_view_column_set_sort_column_id(*column, column.l)
  gtk_tree_view_column_set_resizable(*column, resizable.l)
  gtk_cell_renderer_text_new()
  gtk_tree_selection_get_selected(*selection, *model, *iter)
  gtk_tree_model_get_text(*model, *iter, column.l, *value, terminator.l) As "gtk_tree_model_get"
  gtk_scrolled_window_new(*hAdjustment, *vAdjustment)
EndImport

; GType numbers of the fundamental types (type number << 2)
#G_TYPE_INT    = 24
#G_TYPE_STRING = 64

Enumeration Columns
  #ColName
  #ColYear
  #ColPlace
  #ColumnCount
EndEnumeration
#ROWS = 5

Structure GtkTreeIter
  stamp.l
  *userData
  *userData2
  *userData3
EndStructure
; The header line of an export; the ";" inside the string is no comment
#CSV_HEADER$ = "Name;Jahr;Ort"   ; but this is a real comment

ProcedureC OnSelectionChanged(*selection, *userData)
  Protected iter.GtkTreeIter, *model, *name

  If gtk_tree_selection_get_selected(*selection, @*model, @iter)
    gtk_tree_model_get_text(*model, @iter, #ColName, @*name, -1)
    g_print(~"gewählt: %s\n", *name)
    g_free(*name)                      ; gtk_tree_model_get() copies strings
  EndIf
EndProcedure

Procedure AddColumn(*view, title.s, column.l)
  Protected *renderer = gtk_cell_renderer_text_new()
  Protected *column = gtk_tree_view_column_new_with_attributes(title, *renderer, "text", column, #Null)
  gtk_tree_view_column_set_sort_column_id(*column, column)
  gtk_tree_view_column_set_resizable(*column, #True)
  gtk_tree_view_append_column(*view, *column)
EndProcedure

Procedure.i CreateStore()
  Protected *store = gtk_list_store_new(#ColumnCount, #G_TYPE_STRING, #G_TYPE_INT, #G_TYPE_STRING)
  Protected iter.GtkTreeIter
  Protected i.l, name.s, year.l, place.s

  Restore People
  For i = 1 To #ROWS
    Read.s name : Read.l year : Read.s place
    gtk_list_store_append(*store, @iter)
    gtk_list_store_set(*store, @iter, #ColName, name, #ColYear, year, #ColPlace, place, -1)
  Next
  ProcedureReturn *store
EndProcedure

Define *window, *scrolled, *store, *view

gtk_init(#Null, #Null)
g_print(~"%s\n", #CSV_HEADER$)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Liste")
gtk_window_set_default_size(*window, 380, 240)

*store = CreateStore()
*view = gtk_tree_view_new_with_model(*store)
g_object_unref(*store)                  ; the view keeps the store alive
AddColumn(*view, "Name", #ColName)
AddColumn(*view, "Jahr", #ColYear)
AddColumn(*view, "Ort", #ColPlace)

*scrolled = gtk_scrolled_window_new(#Null, #Null)
gtk_container_add(*scrolled, *view)
gtk_container_add(*window, *scrolled)

g_signal_connect(gtk_tree_view_get_selection(*view), "changed", @OnSelectionChanged(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End

DataSection
  People:
  Data.s "Anna Beispiel" : Data.l 1984 : Data.s "Köln"
  Data.s "Bernd Muster"  : Data.l 1972 : Data.s "Zürich"
  Data.s "Chloé Exemple" : Data.l 1990 : Data.s "Genève"
  Data.s "Dora Probe"    : Data.l 2001 : Data.s "Graz"
  Data.s "Emil Test"     : Data.l 1966 : Data.s "Bozen"
EndDataSection
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 70
; FirstLine = 51
; Executable = list_store

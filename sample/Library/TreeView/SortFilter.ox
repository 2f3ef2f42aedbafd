; ==================================================================
;  Sortieren und Filtern (GtkTreeModelFilter, GtkTreeModelSort)
; ==================================================================
;  The list store is wrapped twice: a filter model hides the rows
;  that do not contain the search text, a sort model on top of it
;  sorts by the clicked column. The store itself stays unchanged.
;
; Link to topic:   https://example.org/orvex/gtk3/tree-model-filter
; Link to topic:   https://example.org/orvex/gtk3/tree-model-sort

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_list_store_new(columns.l, type1.i, type2.i)
  gtk_list_store_insert_with_values(*store, *iter, position.l, column1.l, text.p-utf8,
                                    column2.l, value.l, terminator.l)
  gtk_tree_model_filter_new(*childModel, *root)
  gtk_tree_model_filter_set_visible_func(*filter, *function, *data, *destroy)
  gtk_tree_model_filter_refilter(*filter)
  gtk_tree_model_sort_new_with_model(*childModel)
  gtk_tree_model_get_text(*model, *iter, column.l, *value, terminator.l) As "gtk_tree_model_get"
  gtk_tree_view_new_with_model(*model)
  gtk_tree_view_append_column(*view, *column)
  gtk_tree_view_column_new_with_attributes(title.p-utf8, *renderer, attribute.p-utf8,
                                           column.l, *terminator)
  gtk_tree_view_column_set_sort_column_id(*column, column.l)
  gtk_cell_renderer_text_new()
  gtk_entry_new()
  gtk_entry_get_text(*entry)
  gtk_entry_set_placeholder_text(*entry, text.p-utf8)
EndImport

ImportC "-lglib-2.0"
  g_utf8_casefold(*text, length.i)
  g_strstr_len(*haystack, length.i, *needle)
EndImport

#G_TYPE_INT    = 24
#G_TYPE_STRING = 64

Enumeration
  #ColTitle
  #ColLines
EndEnumeration

Global *filterEntry

; Called by the filter model for every row: #True shows the row.
; Both texts are case-folded, so "gtk" also finds "GTK".
ProcedureC.l IsRowVisible(*model, *iter, *userData)
  Protected *title, *foldedTitle, *foldedTerm, visible.l = #True

  gtk_tree_model_get_text(*model, *iter, #ColTitle, @*title, -1)
  If *title
    *foldedTitle = g_utf8_casefold(*title, -1)
    *foldedTerm = g_utf8_casefold(gtk_entry_get_text(*filterEntry), -1)
    If g_strstr_len(*foldedTitle, -1, *foldedTerm) = #Null
      visible = #False
    EndIf
    g_free(*foldedTitle)
    g_free(*foldedTerm)
    g_free(*title)
  EndIf
  ProcedureReturn visible
EndProcedure

ProcedureC OnFilterChanged(*entry, *filter)
  gtk_tree_model_filter_refilter(*filter)
EndProcedure

Procedure AddColumn(*view, title.s, column.l)
  Protected *column = gtk_tree_view_column_new_with_attributes(title, gtk_cell_renderer_text_new(),
                                                               "text", column, #Null)
  gtk_tree_view_column_set_sort_column_id(*column, column)
  gtk_tree_view_append_column(*view, *column)
EndProcedure

Define *window, *box, *store, *filter, *sorted, *view

gtk_init(#Null, #Null)
*store = gtk_list_store_new(2, #G_TYPE_STRING, #G_TYPE_INT)
gtk_list_store_insert_with_values(*store, #Null, -1, #ColTitle, "GtkWindow", #ColLines, 74, -1)
gtk_list_store_insert_with_values(*store, #Null, -1, #ColTitle, "GtkHeaderBar", #ColLines, 68, -1)
gtk_list_store_insert_with_values(*store, #Null, -1, #ColTitle, "Cairo: Kreise", #ColLines, 95, -1)
gtk_list_store_insert_with_values(*store, #Null, -1, #ColTitle, "GKeyFile", #ColLines, 88, -1)
gtk_list_store_insert_with_values(*store, #Null, -1, #ColTitle, "Zwischenablage", #ColLines, 61, -1)

*filter = gtk_tree_model_filter_new(*store, #Null)
gtk_tree_model_filter_set_visible_func(*filter, @IsRowVisible(), #Null, #Null)
*sorted = gtk_tree_model_sort_new_with_model(*filter)
*view = gtk_tree_view_new_with_model(*sorted)
g_object_unref(*sorted) : g_object_unref(*filter) : g_object_unref(*store)
AddColumn(*view, "Titel", #ColTitle)
AddColumn(*view, "Zeilen", #ColLines)

*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Sortieren und Filtern")
gtk_window_set_default_size(*window, 320, 260)
*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 4)
gtk_container_add(*window, *box)

*filterEntry = gtk_entry_new()
gtk_entry_set_placeholder_text(*filterEntry, "Filter ...")
gtk_box_pack_start(*box, *filterEntry, #False, #False, 0)
gtk_box_pack_start(*box, *view, #True, #True, 0)

g_signal_connect(*filterEntry, "changed", @OnFilterChanged(), *filter)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 49
; FirstLine = 27
; Folding = -
; Executable = sort_filter

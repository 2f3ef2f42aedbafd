; ==================================================================
;  Baum mit GtkTreeStore
; ==================================================================
;  A tree store adds a parent to every row. The example builds a
;  small folder tree, expands it and reports double clicks
;  ("row-activated") with the path of the row.
;
; Link to topic:   https://example.org/orvex/gtk3/tree-store

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_tree_store_new(columns.l, type1.i, type2.i)
  gtk_tree_store_append(*store, *iter, *parent)
  gtk_tree_store_set(*store, *iter, column1.l, text1.p-utf8, column2.l, text2.p-utf8, terminator.l)
  gtk_tree_view_new_with_model(*model)
  gtk_tree_view_append_column(*view, *column)
  gtk_tree_view_expand_all(*view)
  gtk_tree_view_set_headers_visible(*view, visible.l)
  gtk_tree_view_column_new_with_attributes(title.p-utf8, *renderer, attribute.p-utf8,
                                           column.l, *terminator)
  gtk_tree_view_column_pack_start(*column, *renderer, expand.l)
  gtk_tree_view_column_add_attribute(*column, *renderer, attribute.p-utf8, column.l)
  gtk_cell_renderer_text_new()
  gtk_cell_renderer_pixbuf_new()
  gtk_tree_path_to_string(*path)
EndImport

#G_TYPE_STRING = 64

Enumeration
  #ColIcon
  #ColName
EndEnumeration

Structure GtkTreeIter
  stamp.l
  *userData
  *userData2
  *userData3
EndStructure

; Adds one row below *parent (#Null: top level) and returns it in *iter.
Procedure AddNode(*store, *iter.GtkTreeIter, *parent.GtkTreeIter, icon.s, name.s)
  gtk_tree_store_append(*store, *iter, *parent)
  gtk_tree_store_set(*store, *iter, #ColIcon, icon, #ColName, name, -1)
EndProcedure

; "row-activated": double click or Return on a row
ProcedureC OnRowActivated(*view, *path, *column, *userData)
  Common_PrintAndFree(gtk_tree_path_to_string(*path))    ; e.g. 0:1:0
EndProcedure

Define *window, *store, *view, *column, *iconCell, *textCell
Define root.GtkTreeIter, folder.GtkTreeIter, file.GtkTreeIter

gtk_init(#Null, #Null)
*store = gtk_tree_store_new(2, #G_TYPE_STRING, #G_TYPE_STRING)

AddNode(*store, @root, #Null, "folder", "Library")
AddNode(*store, @folder, @root, "folder", "Windows")
AddNode(*store, @file, @folder, "text-x-generic", "WindowBasics.ox")
AddNode(*store, @file, @folder, "text-x-generic", "HeaderBar.ox")
AddNode(*store, @folder, @root, "folder", "Dialogs")
AddNode(*store, @file, @folder, "text-x-generic", "FileChooser.ox")

*view = gtk_tree_view_new_with_model(*store)
g_object_unref(*store)
gtk_tree_view_set_headers_visible(*view, #False)

; one column with two renderers: icon and text side by side
*iconCell = gtk_cell_renderer_pixbuf_new()
*textCell = gtk_cell_renderer_text_new()
*column = gtk_tree_view_column_new_with_attributes("Datei", *iconCell, "icon-name", #ColIcon, #Null)
gtk_tree_view_column_pack_start(*column, *textCell, #True)
gtk_tree_view_column_add_attribute(*column, *textCell, "text", #ColName)
gtk_tree_view_append_column(*view, *column)
gtk_tree_view_expand_all(*view)

*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Baumansicht")
gtk_window_set_default_size(*window, 280, 260)
gtk_container_add(*window, *view)

g_signal_connect(*view, "row-activated", @OnRowActivated(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 52
; FirstLine = 30
; Folding = -
; EnableUnicode
; Executable = tree_store

; ==================================================================
;  Ziehen: eine Datei als URI-Liste an andere Programme geben
; ==================================================================
;  The label in the event box is a drag source. When a drop target
;  (a file manager, an editor) asks for the data, "drag-data-get"
;  answers with a URI list, one file:// URI per file. The file is a
;  small text file written to the temporary folder at start.
;
; Link to topic:   https://example.org/orvex/gtk3/drag-source
; Link to topic:   https://example.org/orvex/gtk3/uri-lists

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_event_box_new()
  gtk_drag_source_set(*widget, buttonMask.l, *targets, count.l, actions.l)
  gtk_drag_source_add_uri_targets(*widget)
  gtk_drag_source_set_icon_name(*widget, name.p-utf8)
  gtk_selection_data_set_uris(*selectionData, *uris)
EndImport

ImportC "-lglib-2.0"
  g_get_tmp_dir()
  g_build_filename_c(*first, second.p-utf8, *terminator) As "g_build_filename"
  g_filename_to_uri(*fileName, *hostName, *error)
  g_file_set_contents(*fileName, contents.p-utf8, length.i, *error)
EndImport

#GDK_BUTTON1_MASK = 256
#GDK_ACTION_COPY  = 2

Global *uri             ; "file:///tmp/orvex-drag.ox", built once

; GTK asks for the data of the drag: a NULL-terminated URI array.
ProcedureC OnDragDataGet(*widget, *context, *selectionData, info.l, time.l, *userData)
  Dim uriList.i(1)
  uriList(0) = *uri
  uriList(1) = #Null
  gtk_selection_data_set_uris(*selectionData, @uriList(0))
EndProcedure

; Writes the file that is offered and returns its URI (or #Null).
Procedure.i PrepareFile()
  Protected *fileName = g_build_filename_c(g_get_tmp_dir(), "orvex-drag.ox", #Null)
  Protected *result = #Null

  If g_file_set_contents(*fileName, "; gezogen aus DragSource.ox", -1, #Null)
    *result = g_filename_to_uri(*fileName, #Null, #Null)
  EndIf
  g_free(*fileName)
  ProcedureReturn *result
EndProcedure

Define *window, *eventBox

gtk_init(#Null, #Null)
*uri = PrepareFile()
If *uri = #Null
  g_print(~"Die Datei konnte nicht geschrieben werden.\n")
  End
EndIf

*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Ziehen")
gtk_window_set_default_size(*window, 320, 120)

*eventBox = gtk_event_box_new()                ; a label has no window of its own
gtk_container_add(*eventBox, gtk_label_new("Mich in den Dateimanager ziehen"))
gtk_container_add(*window, *eventBox)

gtk_drag_source_set(*eventBox, #GDK_BUTTON1_MASK, #Null, 0, #GDK_ACTION_COPY)
gtk_drag_source_add_uri_targets(*eventBox)
gtk_drag_source_set_icon_name(*eventBox, "text-x-generic")
g_signal_connect(*eventBox, "drag-data-get", @OnDragDataGet(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)

gtk_widget_show_all(*window)
gtk_main()
g_free(*uri)
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 38
; FirstLine = 22
; Folding = -
; Executable = drag_source

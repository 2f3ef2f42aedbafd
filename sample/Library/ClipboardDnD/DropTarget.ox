; ==================================================================
;  Ablegen von Dateien auf einem Widget
; ==================================================================
;  The text view accepts URI lists. "drag-data-received" gets them
;  as a NULL-terminated array of URIs; each is turned back into a
;  local file name. Changed: URIs that are not local files (http,
;  smb, ...) are listed as such instead of being dropped silently.
;
; Link to topic:   https://example.org/orvex/gtk3/drop-target

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_drag_dest_set(*widget, flags.l, *targets, count.l, actions.l)
  gtk_drag_dest_add_uri_targets(*widget)
  gtk_drag_finish(*context, success.l, delete.l, time.l)
  gtk_selection_data_get_uris(*selectionData)
  gtk_text_view_new()
  gtk_text_view_set_editable(*view, editable.l)
  gtk_text_view_get_buffer(*view)
  gtk_text_buffer_insert_at_cursor(*buffer, *text, length.l)
  gtk_text_buffer_insert_at_cursor_s(*buffer, text.p-utf8, length.l) As "gtk_text_buffer_insert_at_cursor"
EndImport

ImportC "-lglib-2.0"
  g_filename_from_uri(*uri, *hostName, *error)
  g_filename_display_name(*fileName)
  g_strfreev(*array)
EndImport

#GTK_DEST_DEFAULT_MOTION    = 1
#GTK_DEST_DEFAULT_HIGHLIGHT = 2
#GTK_DEST_DEFAULT_DROP      = 4
#GDK_ACTION_COPY = 2
#GDK_ACTION_MOVE = 4

; Gives index access to a C array of pointers
Structure PointerArray
  *item[0]
EndStructure

Procedure AddLine(*buffer, *text)
  gtk_text_buffer_insert_at_cursor(*buffer, *text, -1)
  gtk_text_buffer_insert_at_cursor_s(*buffer, ~"\n", -1)
EndProcedure

ProcedureC OnDataReceived(*view, *context, x.l, y.l, *selectionData, info.l, time.l, *userData)
  Protected *uris.PointerArray = gtk_selection_data_get_uris(*selectionData)
  Protected *buffer = gtk_text_view_get_buffer(*view)
  Protected *fileName, *shown, i.l = 0

  If *uris = #Null                              ; not a URI list
    gtk_drag_finish(*context, #False, #False, time)
    ProcedureReturn
  EndIf

  While *uris\item[i]
    *fileName = g_filename_from_uri(*uris\item[i], #Null, #Null)
    If *fileName
      *shown = g_filename_display_name(*fileName)     ; valid UTF-8 for the view
      AddLine(*buffer, *shown)
      g_free(*shown)
      g_free(*fileName)
    Else
      gtk_text_buffer_insert_at_cursor_s(*buffer, "(keine lokale Datei) ", -1)
      AddLine(*buffer, *uris\item[i])
    EndIf
    i = i + 1
  Wend
  g_strfreev(*uris)
  gtk_drag_finish(*context, #True, #False, time)
EndProcedure

Define *window, *view

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Dateien hier ablegen")
gtk_window_set_default_size(*window, 420, 240)

*view = gtk_text_view_new()
gtk_text_view_set_editable(*view, #False)
gtk_drag_dest_set(*view, #GTK_DEST_DEFAULT_MOTION | #GTK_DEST_DEFAULT_HIGHLIGHT | #GTK_DEST_DEFAULT_DROP,
                  #Null, 0, #GDK_ACTION_COPY | #GDK_ACTION_MOVE)
gtk_drag_dest_add_uri_targets(*view)
gtk_container_add(*window, *view)

g_signal_connect(*view, "drag-data-received", @OnDataReceived(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 60
; FirstLine = 41
; Folding = -
; EnableUnicode
; Executable = drop_target

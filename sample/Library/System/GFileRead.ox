; ==================================================================
;  Datei zeilenweise lesen mit GFile und GDataInputStream
; ==================================================================
;  GIO reads local and remote files the same way. The example asks
;  for size and content type, then reads the file line by line and
;  shows it with line numbers. Lines that are not valid UTF-8 are
;  skipped with a note instead of breaking the text view.
;
; Link to topic:   https://example.org/orvex/gio/gfile
; Link to topic:   https://example.org/orvex/gio/data-input-stream

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgio-2.0"
  g_file_new_for_path(path.p-utf8)
  g_file_read(*file, *cancellable, *error)
  g_file_query_info(*file, attributes.p-utf8, flags.l, *cancellable, *error)
  g_file_info_get_size.q(*info)
  g_file_info_get_content_type(*info)
  g_data_input_stream_new(*baseStream)
  g_data_input_stream_read_line(*stream, *length, *cancellable, *error)
EndImport

ImportC "-lglib-2.0"
  g_utf8_validate(*text, maxLength.i, *end)
  g_strdup_printf_line(format.p-utf8, number.l, *text) As "g_strdup_printf"
  g_strdup_printf_info(format.p-utf8, *type, size.q) As "g_strdup_printf"
  g_error_free(*error)
EndImport

ImportC "-lgtk-3"
  gtk_text_view_new()
  gtk_text_view_set_editable(*view, editable.l)
  gtk_text_view_get_buffer(*view)
  gtk_text_buffer_insert_at_cursor(*buffer, *text, length.l)
  gtk_scrolled_window_new(*hAdjustment, *vAdjustment)
EndImport

#FILE_PATH$ = "/etc/os-release"
#MAX_LINES = 500
Structure GError
  domain.l
  code.l
  *message
EndStructure

Procedure ShowInfo(*file)
  Protected *info = g_file_query_info(*file, "standard::size,standard::content-type", 0, #Null, #Null)
  If *info
    Common_PrintAndFree(g_strdup_printf_info("%s, %ld Bytes",
                                             g_file_info_get_content_type(*info),
                                             g_file_info_get_size(*info)))
    g_object_unref(*info)
  EndIf
EndProcedure

; Reads up to #MAX_LINES lines into the buffer; returns the count.
Procedure.l ReadLines(*file, *buffer)
  Protected *error.GError = #Null
  Protected *input, *lines, *line, *text, number.l = 0
  Protected *placeholder

  *input = g_file_read(*file, #Null, @*error)
  If *input = #Null
    Common_PrintAndFree(g_strdup_printf_line("Fehler %d: %s", *error\code, *error\message))
    g_error_free(*error)
    ProcedureReturn 0
  EndIf

  *placeholder = g_strdup("(kein UTF-8)")
  *lines = g_data_input_stream_new(*input)
  Repeat
    *line = g_data_input_stream_read_line(*lines, #Null, #Null, #Null)
    If *line = #Null
      Break                                  ; end of file (or a read error)
    EndIf
    number = number + 1
    If g_utf8_validate(*line, -1, #Null)
      *text = g_strdup_printf_line(~"%4d  %s\n", number, *line)
    Else
      *text = g_strdup_printf_line(~"%4d  %s\n", number, *placeholder)
    EndIf
    gtk_text_buffer_insert_at_cursor(*buffer, *text, -1)
    g_free(*text)
    g_free(*line)
  Until number >= #MAX_LINES

  g_object_unref(*lines)
  g_object_unref(*input)
  g_free(*placeholder)
  ProcedureReturn number
EndProcedure

Define *window, *scrolled, *view, *file

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "GFile: " + #FILE_PATH$)
gtk_window_set_default_size(*window, 520, 360)

*view = gtk_text_view_new()
gtk_text_view_set_editable(*view, #False)
*scrolled = gtk_scrolled_window_new(#Null, #Null)
gtk_container_add(*scrolled, *view)
gtk_container_add(*window, *scrolled)

*file = g_file_new_for_path(#FILE_PATH$)
ShowInfo(*file)
ReadLines(*file, gtk_text_view_get_buffer(*view))
g_object_unref(*file)

g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 75
; FirstLine = 52
; Executable = gfile_read

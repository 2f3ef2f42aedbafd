; ==================================================================
;  Mehrzeiliger Text mit GtkTextView und GtkTextBuffer
; ==================================================================
;  The view shows a buffer; the buffer holds the text. Positions in
;  the buffer are GtkTextIter values that live on the stack. The
;  label below counts characters and lines on every change.
;
; Link to topic:   https://example.org/orvex/gtk3/text-view

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_text_view_new()
  gtk_text_view_get_buffer(*view)
  gtk_text_view_set_wrap_mode(*view, mode.l)
  gtk_text_view_set_left_margin(*view, margin.l)
  gtk_text_view_set_right_margin(*view, margin.l)
  gtk_text_buffer_set_text(*buffer, text.p-utf8, length.l)
  gtk_text_buffer_get_char_count(*buffer)
  gtk_text_buffer_get_line_count(*buffer)
  gtk_text_buffer_get_bounds(*buffer, *start, *end)
  gtk_text_buffer_get_text(*buffer, *start, *end, includeHidden.l)
  gtk_scrolled_window_new(*hAdjustment, *vAdjustment)
  gtk_label_set_c_text(*label, *text) As "gtk_label_set_text"
EndImport

ImportC "-lglib-2.0"
  g_strdup_printf_counts(format.p-utf8, chars.l, lines.l) As "g_strdup_printf"
EndImport

#GTK_WRAP_NONE = 0
#GTK_WRAP_CHAR = 1
#GTK_WRAP_WORD = 2

; GtkTextIter is opaque; only its size matters (80 bytes on x64)
Structure GtkTextIter
  dummy.i[10]
EndStructure

Global *countLabel

ProcedureC OnBufferChanged(*buffer, *userData)
  Protected *text = g_strdup_printf_counts("%d Zeichen, %d Zeilen",
                                           gtk_text_buffer_get_char_count(*buffer),
                                           gtk_text_buffer_get_line_count(*buffer))
  gtk_label_set_c_text(*countLabel, *text)
  g_free(*text)
EndProcedure

; Prints the whole text of the buffer to the terminal.
ProcedureC OnPrint(*button, *buffer)
  Protected start.GtkTextIter, stop.GtkTextIter
  gtk_text_buffer_get_bounds(*buffer, @start, @stop)
  Common_PrintAndFree(gtk_text_buffer_get_text(*buffer, @start, @stop, #False))
EndProcedure

Define *window, *box, *scrolled, *view, *buffer, *print

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Textansicht")
gtk_window_set_default_size(*window, 420, 300)
*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 4)
gtk_container_add(*window, *box)

*view = gtk_text_view_new()
gtk_text_view_set_wrap_mode(*view, #GTK_WRAP_WORD)      ; wrap at word ends
gtk_text_view_set_left_margin(*view, 4)
gtk_text_view_set_right_margin(*view, 4)
*buffer = gtk_text_view_get_buffer(*view)                 ; owned by the view

*scrolled = gtk_scrolled_window_new(#Null, #Null)
gtk_container_add(*scrolled, *view)
gtk_box_pack_start(*box, *scrolled, #True, #True, 0)

*countLabel = gtk_label_new("")
gtk_box_pack_start(*box, *countLabel, #False, #False, 0)
*print = gtk_button_new_with_mnemonic("Text _ausgeben")
gtk_box_pack_start(*box, *print, #False, #False, 0)

g_signal_connect(*buffer, "changed", @OnBufferChanged(), #Null)
gtk_text_buffer_set_text(*buffer, "Schreib etwas hierher. Lange Zeilen werden am Wortende umbrochen.", -1)

g_signal_connect(*print, "clicked", @OnPrint(), *buffer)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 61
; FirstLine = 38
; Folding = -
; EnableUnicode
; Executable = text_view

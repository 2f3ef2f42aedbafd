; ==================================================================
;  Im Text suchen und Fundstellen markieren
; ==================================================================
;  gtk_text_iter_forward_search() finds the next match after an
;  iterator. All matches get the tag "found"; the first one is
;  scrolled into view. Changed: the search now ignores letter case
;  (flag GTK_TEXT_SEARCH_CASE_INSENSITIVE, GTK 3.16 and newer) and
;  reports the number of matches.
;
; Link to topic:   https://example.org/orvex/gtk3/text-search

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_text_view_new()
  gtk_text_view_get_buffer(*view)
  gtk_text_view_scroll_to_iter(*view, *iter, margin.d, useAlign.l, xAlign.d, yAlign.d)
  gtk_text_buffer_set_text(*buffer, text.p-utf8, length.l)
  gtk_text_buffer_create_tag(*buffer, name.p-utf8, property.p-utf8, value.p-utf8, *terminator)
  gtk_text_buffer_get_bounds(*buffer, *start, *end)
  gtk_text_buffer_get_start_iter(*buffer, *iter)
  gtk_text_buffer_apply_tag_by_name(*buffer, name.p-utf8, *start, *end)
  gtk_text_buffer_remove_tag_by_name(*buffer, name.p-utf8, *start, *end)
  gtk_text_iter_forward_search(*iter, *text, flags.l, *matchStart, *matchEnd, *limit)
  gtk_text_iter_assign(*iter, *other)
  gtk_search_entry_new()
  gtk_entry_get_text(*entry)
  gtk_scrolled_window_new(*hAdjustment, *vAdjustment)
  gtk_label_set_c_text(*label, *text) As "gtk_label_set_text"
EndImport

ImportC "-lglib-2.0"
  g_strdup_printf_count(format.p-utf8, count.l) As "g_strdup_printf"
  g_utf8_strlen(*text, maxLength.i)
EndImport

#GTK_TEXT_SEARCH_VISIBLE_ONLY     = 1
#GTK_TEXT_SEARCH_TEXT_ONLY        = 2
#GTK_TEXT_SEARCH_CASE_INSENSITIVE = 4

Structure GtkTextIter
  dummy.i[10]
EndStructure

Structure SearchWindow
  *view
  *buffer
  *result
EndStructure

Global search.SearchWindow

; Marks every match of the entry's text; returns the number of matches.
Procedure.l MarkAll(*term)
  Protected start.GtkTextIter, stop.GtkTextIter
  Protected matchStart.GtkTextIter, matchEnd.GtkTextIter
  Protected count.l = 0

  gtk_text_buffer_get_bounds(search\buffer, @start, @stop)
  gtk_text_buffer_remove_tag_by_name(search\buffer, "found", @start, @stop)

  ; an empty term would match everywhere: nothing to do
  If g_utf8_strlen(*term, -1) = 0
    ProcedureReturn 0
  EndIf

  While gtk_text_iter_forward_search(@start, *term,
                                     #GTK_TEXT_SEARCH_TEXT_ONLY | #GTK_TEXT_SEARCH_CASE_INSENSITIVE,
                                     @matchStart, @matchEnd, #Null)
    gtk_text_buffer_apply_tag_by_name(search\buffer, "found", @matchStart, @matchEnd)
    If count = 0
      gtk_text_view_scroll_to_iter(search\view, @matchStart, 0.1, #False, 0, 0)
    EndIf
    count = count + 1
    gtk_text_iter_assign(@start, @matchEnd)     ; continue after this match
  Wend
  ProcedureReturn count
EndProcedure

ProcedureC OnSearchChanged(*entry, *userData)
  Protected *text = g_strdup_printf_count("%d Treffer", MarkAll(gtk_entry_get_text(*entry)))
  gtk_label_set_c_text(search\result, *text)
  g_free(*text)
EndProcedure

Define *window, *box, *entry, *scrolled

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Suchen im Text")
gtk_window_set_default_size(*window, 460, 300)
*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 4)
gtk_container_add(*window, *box)

*entry = gtk_search_entry_new()                 ; sends "search-changed" after a short pause
gtk_box_pack_start(*box, *entry, #False, #False, 0)

search\view = gtk_text_view_new()
search\buffer = gtk_text_view_get_buffer(search\view)
gtk_text_buffer_create_tag(search\buffer, "found", "background", "#FCE94F", #Null)
gtk_text_buffer_set_text(search\buffer, "Orvex ruft GTK direkt auf. Ein GTK-Fenster, ein gtk-Knopf " +
                                        "und eine Gtk-Liste: die Suche findet alle drei Schreibweisen.", -1)
*scrolled = gtk_scrolled_window_new(#Null, #Null)
gtk_container_add(*scrolled, search\view)
gtk_box_pack_start(*box, *scrolled, #True, #True, 0)

search\result = gtk_label_new("")
gtk_box_pack_start(*box, search\result, #False, #False, 0)

g_signal_connect(*entry, "search-changed", @OnSearchChanged(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 60
; FirstLine = 41
; Folding = -
; EnableUnicode
; Executable = text_search

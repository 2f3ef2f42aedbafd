; ==================================================================
;  Textformatierung mit GtkTextTag
; ==================================================================
;  Tags are named sets of properties in the buffer's tag table:
;  colour, weight, style, background, font. Text is inserted with
;  tags, or tags are applied to a range afterwards. A tag created
;  later wins where two tags set the same property.
;
; Link to topic:   https://example.org/orvex/gtk3/text-tags
; Link to topic:   https://example.org/orvex/pango/markup

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_text_view_new()
  gtk_text_view_get_buffer(*view)
  gtk_text_view_set_editable(*view, editable.l)
  gtk_text_buffer_create_tag(*buffer, name.p-utf8, property.p-utf8, value.p-utf8, *terminator)
  gtk_text_buffer_get_end_iter(*buffer, *iter)
  gtk_text_buffer_get_iter_at_offset(*buffer, *iter, offset.l)
  gtk_text_buffer_insert(*buffer, *iter, text.p-utf8, length.l)
  gtk_text_buffer_insert_with_tags_by_name(*buffer, *iter, text.p-utf8, length.l, tag.p-utf8, *terminator)
  gtk_text_buffer_apply_tag_by_name(*buffer, name.p-utf8, *start, *end)
EndImport

ImportC "-lgobject-2.0"
  g_object_set_int(*object, property.p-utf8, value.l, *terminator) As "g_object_set"
EndImport

#PANGO_WEIGHT_BOLD    = 700
#PANGO_STYLE_ITALIC   = 2
#PANGO_UNDERLINE_SINGLE = 1

Structure GtkTextIter
  dummy.i[10]
EndStructure

; Creates the tags once. Text properties take strings, the others
; numbers, so two C entry points are used for the same job.
Procedure CreateTags(*buffer)
  Protected *tag

  gtk_text_buffer_create_tag(*buffer, "comment", "foreground", "#909090", #Null)
  gtk_text_buffer_create_tag(*buffer, "literal", "foreground", "#FF0000", #Null)
  gtk_text_buffer_create_tag(*buffer, "mono", "family", "Monospace", #Null)
  gtk_text_buffer_create_tag(*buffer, "note", "background", "YellowGreen", #Null)

  *tag = gtk_text_buffer_create_tag(*buffer, "keyword", "foreground", "#0000DC", #Null)
  g_object_set_int(*tag, "weight", #PANGO_WEIGHT_BOLD, #Null)

  *tag = gtk_text_buffer_create_tag(*buffer, "emphasis", "foreground", "#4E9A06", #Null)
  g_object_set_int(*tag, "style", #PANGO_STYLE_ITALIC, #Null)
  g_object_set_int(*tag, "underline", #PANGO_UNDERLINE_SINGLE, #Null)
EndProcedure

Procedure Append(*buffer, text.s, tag.s = "")
  Protected iter.GtkTextIter
  gtk_text_buffer_get_end_iter(*buffer, @iter)
  If tag = ""
    gtk_text_buffer_insert(*buffer, @iter, text, -1)
  Else
    gtk_text_buffer_insert_with_tags_by_name(*buffer, @iter, text, -1, tag, #Null)
  EndIf
EndProcedure

Define *window, *view, *buffer
Define start.GtkTextIter, stop.GtkTextIter

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Text-Tags")
gtk_window_set_default_size(*window, 460, 220)

*view = gtk_text_view_new()
gtk_text_view_set_editable(*view, #False)
*buffer = gtk_text_view_get_buffer(*view)
CreateTags(*buffer)

Append(*buffer, "Procedure", "keyword")
Append(*buffer, " Hello()" + ~"\n", "mono")
Append(*buffer, "  text.s = ", "mono")
Append(*buffer, "'Grüße; kein Kommentar'", "literal")   ; the ";" in the string is text
Append(*buffer, "  ; ein Kommentar" + ~"\n", "comment")
Append(*buffer, "EndProcedure", "keyword")
Append(*buffer, ~"\n\n" + "Kursiv und unterstrichen", "emphasis")
Append(*buffer, " – danach normaler Text. ")
Append(*buffer, "[gtk3]")

; a tag can also be applied afterwards, to a range given by offsets
gtk_text_buffer_get_iter_at_offset(*buffer, @start, 0)
gtk_text_buffer_get_end_iter(*buffer, @stop)
gtk_text_buffer_apply_tag_by_name(*buffer, "mono", @start, @stop)

gtk_container_add(*window, *view)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 47
; FirstLine = 29
; Folding = -
; Executable = text_tags

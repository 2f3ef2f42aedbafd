; ==================================================================
;  Rollbereich mit GtkScrolledWindow
; ==================================================================
;  A list of 200 labels in a box that is larger than the window.
;  The scrolled window shows scroll bars only when they are needed
;  (policy AUTOMATIC); the button jumps back to the top through the
;  vertical adjustment.
;
; Link to topic:   https://example.org/orvex/gtk3/scrolled-window

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_scrolled_window_new(*hAdjustment, *vAdjustment)
  gtk_scrolled_window_set_policy(*scrolled, hPolicy.l, vPolicy.l)
  gtk_scrolled_window_set_min_content_height(*scrolled, height.l)
  gtk_scrolled_window_get_vadjustment(*scrolled)
  gtk_adjustment_set_value(*adjustment, value.d)
  gtk_adjustment_get_lower.d(*adjustment)
  gtk_label_new_c(*text) As "gtk_label_new"
EndImport

#GTK_POLICY_ALWAYS    = 0
#GTK_POLICY_AUTOMATIC = 1
#GTK_POLICY_NEVER     = 2
#LINE_COUNT = 200

ProcedureC OnToTop(*button, *scrolled)
  Protected *adjustment = gtk_scrolled_window_get_vadjustment(*scrolled)
  gtk_adjustment_set_value(*adjustment, gtk_adjustment_get_lower(*adjustment))
EndProcedure

; Fills the box with numbered lines; g_strdup_printf builds each text.
Procedure FillLines(*box, count.l)
  Protected i.l, *text
  For i = 1 To count
    *text = g_strdup_printf("Zeile %d", i)
    gtk_box_pack_start(*box, gtk_label_new_c(*text), #False, #False, 0)
    g_free(*text)                      ; the label keeps its own copy
  Next
EndProcedure

Define *window, *vbox, *scrolled, *list, *top

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Rollbereich")
gtk_window_set_default_size(*window, 260, 320)

*vbox = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 4)
gtk_container_add(*window, *vbox)

*scrolled = gtk_scrolled_window_new(#Null, #Null)
gtk_scrolled_window_set_policy(*scrolled, #GTK_POLICY_NEVER, #GTK_POLICY_AUTOMATIC)
gtk_scrolled_window_set_min_content_height(*scrolled, 200)

*list = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 2)
FillLines(*list, #LINE_COUNT)
gtk_container_add(*scrolled, *list)       ; GTK adds a viewport by itself
gtk_box_pack_start(*vbox, *scrolled, #True, #True, 0)

*top = gtk_button_new_with_mnemonic("Nach _oben")
gtk_box_pack_start(*vbox, *top, #False, #False, 0)
g_signal_connect(*top, "clicked", @OnToTop(), *scrolled)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)

gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 36
; FirstLine = 14
; Folding = -
; Executable = scrolled_window

; ==================================================================
;  Text in die Zwischenablage kopieren und einfügen
; ==================================================================
;  "Kopieren" puts the entry's text on the CLIPBOARD selection,
;  "Einfügen" asks for the clipboard's text; the answer arrives in a
;  callback because the owner may be another program. At the end
;  gtk_clipboard_store() hands the text to the desktop's clipboard
;  manager, so it is still there after the program has ended.
;
; Link to topic:   https://example.org/orvex/gtk3/clipboard

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_clipboard_get(*selection)
  gtk_clipboard_set_text(*clipboard, *text, length.l)
  gtk_clipboard_request_text(*clipboard, *callback, *data)
  gtk_clipboard_set_can_store(*clipboard, *targets, count.l)
  gtk_clipboard_store(*clipboard)
  gtk_entry_new()
  gtk_entry_get_text(*entry)
  gtk_entry_set_text(*entry, text.p-utf8)
  gtk_entry_set_c_text(*entry, *text) As "gtk_entry_set_text"
  gdk_atom_intern(name.p-utf8, onlyIfExists.l)
EndImport

Structure ClipboardDemo
  *clipboard
  *source
  *target
EndStructure

Global demo.ClipboardDemo

ProcedureC OnCopy(*button, *userData)
  gtk_clipboard_set_text(demo\clipboard, gtk_entry_get_text(demo\source), -1)
EndProcedure

; Called later by GTK with the text, or #Null when there is none.
ProcedureC OnTextReceived(*clipboard, *text, *userData)
  If *text
    gtk_entry_set_c_text(demo\target, *text)     ; the text belongs to GTK
  EndIf
EndProcedure

ProcedureC OnPaste(*button, *userData)
  gtk_clipboard_request_text(demo\clipboard, @OnTextReceived(), #Null)
EndProcedure

ProcedureC OnQuit(*widget, *userData)
  gtk_clipboard_set_can_store(demo\clipboard, #Null, 0)   ; all targets may be stored
  gtk_clipboard_store(demo\clipboard)
  gtk_main_quit()
EndProcedure

Define *window, *box, *copy, *paste

gtk_init(#Null, #Null)
demo\clipboard = gtk_clipboard_get(gdk_atom_intern("CLIPBOARD", #False))

*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Zwischenablage")
gtk_container_set_border_width(*window, 10)
*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 6)
gtk_container_add(*window, *box)

demo\source = gtk_entry_new()
gtk_entry_set_text(demo\source, "Procedure Hallo() ; kopier mich")
*copy = gtk_button_new_with_mnemonic("_Kopieren")
demo\target = gtk_entry_new()
*paste = gtk_button_new_with_mnemonic("_Einfügen")

gtk_box_pack_start(*box, demo\source, #False, #False, 0)
gtk_box_pack_start(*box, *copy, #False, #False, 0)
gtk_box_pack_start(*box, demo\target, #False, #False, 0)
gtk_box_pack_start(*box, *paste, #False, #False, 0)

g_signal_connect(*copy, "clicked", @OnCopy(), #Null)
g_signal_connect(*paste, "clicked", @OnPaste(), #Null)
g_signal_connect(*window, "destroy", @OnQuit(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 35
; FirstLine = 14
; Folding = -
; EnableUnicode
; Executable = clipboard

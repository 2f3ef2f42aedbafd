; ==================================================================
;  Abhängiges Fenster: transient, modal, destroy-with-parent
; ==================================================================
;  A second window that belongs to the main window: the window
;  manager keeps it above its parent, it blocks input to the parent
;  while it is open (modal), and it goes away with the parent.
;
; Link to topic:   https://example.org/orvex/gtk3/transient-window
; Link to topic:   

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_window_set_transient_for(*window, *parent)
  gtk_window_set_modal(*window, modal.l)
  gtk_window_set_destroy_with_parent(*window, setting.l)
  gtk_window_set_type_hint(*window, hint.l)
  gtk_window_set_skip_taskbar_hint(*window, setting.l)
EndImport

#GDK_WINDOW_TYPE_HINT_DIALOG = 1

Structure ToolWindow
  *window
  *parent
  opened.l
EndStructure

Global tool.ToolWindow

ProcedureC OnToolClose(*button, *userData)
  gtk_widget_destroy(tool\window)
EndProcedure

ProcedureC OnToolDestroyed(*widget, *userData)
  tool\window = #Null        ; forget the pointer, the widget is gone
EndProcedure

; Opens the tool window, or does nothing while one is open.
ProcedureC OnOpenTool(*button, *userData)
  Protected *box, *close

  If tool\window
    ProcedureReturn
  EndIf
  tool\opened = tool\opened + 1

  tool\window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
  gtk_window_set_title(tool\window, "Werkzeugfenster")
  gtk_window_set_default_size(tool\window, 260, 120)
  gtk_window_set_transient_for(tool\window, tool\parent)
  gtk_window_set_modal(tool\window, #True)
  gtk_window_set_destroy_with_parent(tool\window, #True)
  gtk_window_set_type_hint(tool\window, #GDK_WINDOW_TYPE_HINT_DIALOG)
  gtk_window_set_skip_taskbar_hint(tool\window, #True)

  *box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 6)
  gtk_container_set_border_width(*box, 10)
  gtk_box_pack_start(*box, gtk_label_new("Das Hauptfenster ist gesperrt."), #True, #True, 0)
  *close = gtk_button_new_with_mnemonic("_Schließen")
  gtk_box_pack_start(*box, *close, #False, #False, 0)
  gtk_container_add(tool\window, *box)

  g_signal_connect(*close, "clicked", @OnToolClose(), #Null)
  g_signal_connect(tool\window, "destroy", @OnToolDestroyed(), #Null)
  gtk_widget_show_all(tool\window)
EndProcedure

gtk_init(#Null, #Null)

tool\parent = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(tool\parent, "Hauptfenster")
gtk_window_set_default_size(tool\parent, 420, 200)
gtk_container_set_border_width(tool\parent, 20)

Define *open = gtk_button_new_with_mnemonic("_Werkzeugfenster öffnen")
gtk_container_add(tool\parent, *open)
g_signal_connect(*open, "clicked", @OnOpenTool(), #Null)
g_signal_connect(tool\parent, "destroy", @Common_OnDestroy(), #Null)

gtk_widget_show_all(tool\parent)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 40
; FirstLine = 18
; Folding = -
; Executable = transient_window

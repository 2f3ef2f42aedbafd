; ==================================================================
;  Tastenkürzel mit GtkAccelGroup und "key-press-event"
; ==================================================================
;  Two ways to react on keys: an accelerator group attached to the
;  window (Ctrl+Q quits, F5 toggles, Ctrl+S on a button), and a
;  key-press handler that sees every key and shows its name.
;
; Link to topic:   https://example.org/orvex/gtk3/accelerators
; Link to topic:   https://example.org/orvex/gdk3/key-values

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_accel_group_new()
  gtk_accel_group_connect(*group, key.l, modifiers.l, flags.l, *closure)
  gtk_window_add_accel_group(*window, *group)
  gtk_widget_add_accelerator(*widget, signal.p-utf8, *group, key.l, modifiers.l, flags.l)
  gtk_label_set_c_text(*label, *text) As "gtk_label_set_text"
  gdk_keyval_name(keyValue.l)
EndImport

ImportC "-lgobject-2.0"
  g_cclosure_new(*callback, *data, *destroy)
EndImport

ImportC "-lglib-2.0"
  g_strdup_printf_key(format.p-utf8, *name, state.l) As "g_strdup_printf"
EndImport

#GDK_SHIFT_MASK   = 1
#GDK_CONTROL_MASK = 4
#GDK_MOD1_MASK    = 8          ; usually Alt
#GTK_ACCEL_VISIBLE = 1

#GDK_KEY_q  = $0071
#GDK_KEY_s  = $0073
#GDK_KEY_F5 = $FFC2

Structure GdkEventKey
  type.l
  *window
  send_event.b
  time.l
  state.l
  keyval.l
EndStructure

Global *keyLabel, wrap.l

; Accelerator callbacks get the group, the window, key and modifiers.
ProcedureC.l OnQuit(*group, *acceleratable, key.l, modifiers.l, *userData)
  gtk_main_quit()
  ProcedureReturn #True
EndProcedure

ProcedureC.l OnToggleWrap(*group, *acceleratable, key.l, modifiers.l, *userData)
  wrap = 1 - wrap
  g_print(~"wrap %d\n", wrap)
  ProcedureReturn #True
EndProcedure

ProcedureC OnSave(*button, *userData)
  gtk_label_set_text(*keyLabel, "Gespeichert (Strg+S)")
EndProcedure

ProcedureC.l OnKeyPress(*widget, *event.GdkEventKey, *userData)
  Protected *text = g_strdup_printf_key("Taste: %s  (Zustand %d)", gdk_keyval_name(*event\keyval),
                                        *event\state & (#GDK_SHIFT_MASK | #GDK_CONTROL_MASK | #GDK_MOD1_MASK))
  gtk_label_set_c_text(*keyLabel, *text)
  g_free(*text)
  ProcedureReturn #False        ; #False: accelerators and widgets still get the key
EndProcedure

Define *window, *box, *save, *group

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Tastenkürzel")
gtk_window_set_default_size(*window, 320, 120)
gtk_container_set_border_width(*window, 10)
*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 8)
gtk_container_add(*window, *box)

*keyLabel = gtk_label_new("Eine Taste drücken ...")
*save = gtk_button_new_with_mnemonic("_Speichern")
gtk_box_pack_start(*box, *keyLabel, #True, #True, 0)
gtk_box_pack_start(*box, *save, #False, #False, 0)

*group = gtk_accel_group_new()
gtk_window_add_accel_group(*window, *group)
gtk_accel_group_connect(*group, #GDK_KEY_q, #GDK_CONTROL_MASK, 0, g_cclosure_new(@OnQuit(), #Null, #Null))
gtk_accel_group_connect(*group, #GDK_KEY_F5, 0, 0, g_cclosure_new(@OnToggleWrap(), #Null, #Null))
gtk_widget_add_accelerator(*save, "clicked", *group, #GDK_KEY_s, #GDK_CONTROL_MASK, #GTK_ACCEL_VISIBLE)

g_signal_connect(*save, "clicked", @OnSave(), #Null)
g_signal_connect(*window, "key-press-event", @OnKeyPress(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 71
; FirstLine = 50
; Folding = -
; EnableUnicode
; Executable = accelerators

; ==================================================================
;  Schaltflächen und das Signal "clicked"
; ==================================================================
;  Plain, mnemonic and icon buttons; one handler serves several
;  buttons and tells them apart by the user data it gets.
;
; Link to topic:   https://example.org/orvex/gtk3/button

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_button_new_from_icon_name(name.p-utf8, size.l)
  gtk_button_set_label(*button, label.p-utf8)
  gtk_button_set_relief(*button, relief.l)
  gtk_button_set_always_show_image(*button, always.l)
EndImport

#GTK_ICON_SIZE_BUTTON = 4
#GTK_RELIEF_NORMAL    = 0
#GTK_RELIEF_NONE      = 2

Enumeration Actions
  #ActionOpen = 1
  #ActionSave
  #ActionQuit
EndEnumeration

Global *status

; One handler for three buttons: the action number comes as user data.
ProcedureC OnAction(*button, action.i)
  Select action
    Case #ActionOpen
      gtk_label_set_text(*status, "Öffnen gewählt")
    Case #ActionSave
      gtk_label_set_text(*status, "Gespeichert")
      gtk_button_set_label(*button, "Gespeichert ✓")
    Case #ActionQuit
      gtk_main_quit()
    Default
      gtk_label_set_text(*status, "unbekannte Aktion")
  EndSelect
EndProcedure

Procedure.i AddButton(*box, label.s, icon.s, action.i)
  Protected *button

  If icon <> ""
    *button = gtk_button_new_from_icon_name(icon, #GTK_ICON_SIZE_BUTTON)
    gtk_button_set_label(*button, label)
    gtk_button_set_always_show_image(*button, #True)
  Else
    *button = gtk_button_new_with_mnemonic(label)
  EndIf
  gtk_box_pack_start(*box, *button, #True, #True, 0)
  g_signal_connect(*button, "clicked", @OnAction(), action)
  ProcedureReturn *button
EndProcedure

Define *window, *vbox, *row, *flat

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Schaltflächen")
gtk_container_set_border_width(*window, 10)

*vbox = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 8)
*row = gtk_box_new(#GTK_ORIENTATION_HORIZONTAL, 6)
gtk_container_add(*window, *vbox)
gtk_box_pack_start(*vbox, *row, #False, #False, 0)

AddButton(*row, "Ö_ffnen", "", #ActionOpen)
AddButton(*row, "Speichern", "document-save", #ActionSave)
*flat = AddButton(*row, "_Beenden", "", #ActionQuit)
gtk_button_set_relief(*flat, #GTK_RELIEF_NONE)     ; flat look, no frame

*status = gtk_label_new("Bitte eine Schaltfläche wählen")
gtk_box_pack_start(*vbox, *status, #True, #True, 0)

g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 31
; FirstLine = 10
; Folding = -
; EnableUnicode
; Executable = buttons

; ==================================================================
;  Hallo Welt - the smallest complete GTK 3 program in Orvex
; ==================================================================
;  One window, one label, one button. A click on the button changes
;  the label; closing the window ends gtk_main() and the program.
;
; Link to topic:   https://example.org/orvex/gtk3/hello-world

XIncludeFile "GtkCommon.oxi"

Global *label          ; the label is changed by the click handler

; Called by GTK for every "clicked" signal of the button.
; Static keeps the counter between two calls.
ProcedureC OnButtonClicked(*button, *userData)
  Static clicks.l

  clicks = clicks + 1
  If clicks = 1
    gtk_label_set_text(*label, "Hallo Welt! Das war der erste Klick.")
  ElseIf clicks < 5
    gtk_label_set_text(*label, "Noch ein Klick ...")
  Else
    gtk_label_set_text(*label, "Genug geklickt – schließe das Fenster.")
    gtk_widget_set_sensitive(*button, #False)
  EndIf
EndProcedure

; Builds the window with its content and returns it (not yet shown).
Procedure.i CreateMainWindow(title.s)
  Protected *window, *box, *button

  *window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
  gtk_window_set_title(*window, title)
  gtk_window_set_default_size(*window, 340, 120)
  gtk_window_set_position(*window, #GTK_WIN_POS_CENTER)
  gtk_container_set_border_width(*window, 12)

  ; a vertical box stacks the label above the button
  *box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 8)
  gtk_container_add(*window, *box)

  *label = gtk_label_new("Hallo Welt")
  gtk_box_pack_start(*box, *label, #True, #True, 0)

  *button = gtk_button_new_with_mnemonic("_Klick mich")
  gtk_widget_set_tooltip_text(*button, "Ändert den Text darüber")
  gtk_box_pack_start(*box, *button, #False, #False, 0)

  g_signal_connect(*button, "clicked", @OnButtonClicked(), #Null)
  g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)

  ProcedureReturn *window
EndProcedure

; --- main ---------------------------------------------------------
gtk_init(#Null, #Null)

Define *mainWindow = CreateMainWindow("Orvex – Hallo Welt")
gtk_widget_show_all(*mainWindow)

gtk_main()        ; runs until Common_OnDestroy() calls gtk_main_quit()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 55
; FirstLine = 21
; Folding = -
; EnableUnicode
; Executable = hello_world

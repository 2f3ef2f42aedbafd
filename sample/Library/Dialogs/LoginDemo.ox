; ==================================================================
;  Anmeldedialog aus einer Formular-Datei verwenden
; ==================================================================
;  Includes LoginForm.oxf, opens the form, waits for the answer and
;  reads the two entries. The password text is wiped from the entry
;  before the dialog goes away.
;
; Link to topic:   https://example.org/orvex/gtk3/dialog-forms

XIncludeFile "../Basics/GtkCommon.oxi"
XIncludeFile "LoginForm.oxf"

ImportC "-lgtk-3"
  gtk_dialog_run(*dialog)
  gtk_entry_get_text(*entry)
  gtk_entry_set_text(*entry, text.p-utf8)
  gtk_label_set_c_text(*label, *text) As "gtk_label_set_text"
EndImport

ImportC "-lglib-2.0"
  g_strdup_printf_user(format.p-utf8, *user) As "g_strdup_printf"
  g_utf8_strlen(*text, maxLength.i)
EndImport

Global *status

ProcedureC OnLogin(*button, *parent)
  Protected form.LoginForm
  Protected *text

  LoginForm_Open(@form, *parent)
  If gtk_dialog_run(form\dialog) = #LoginForm_Accept
    If g_utf8_strlen(gtk_entry_get_text(form\password), -1) < 4
      gtk_label_set_text(*status, "Kennwort zu kurz (mindestens 4 Zeichen).")
    Else
      *text = g_strdup_printf_user("Angemeldet als %s", gtk_entry_get_text(form\user))
      gtk_label_set_c_text(*status, *text)
      g_free(*text)
    EndIf
  Else
    gtk_label_set_text(*status, "Abgebrochen.")
  EndIf
  gtk_entry_set_text(form\password, "")
  gtk_widget_destroy(form\dialog)
EndProcedure

Define *window, *box, *button

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Anmeldung")
gtk_window_set_default_size(*window, 300, 100)
gtk_container_set_border_width(*window, 12)
*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 8)
gtk_container_add(*window, *box)

*button = gtk_button_new_with_mnemonic("_Anmelden ...")
*status = gtk_label_new("Nicht angemeldet.")
gtk_box_pack_start(*box, *button, #False, #False, 0)
gtk_box_pack_start(*box, *status, #True, #True, 0)

g_signal_connect(*button, "clicked", @OnLogin(), *window)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 28
; FirstLine = 10
; Folding = -
; Executable = login_demo

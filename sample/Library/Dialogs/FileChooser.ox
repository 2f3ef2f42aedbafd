; ==================================================================
;  Datei öffnen und speichern (GtkFileChooserDialog)
; ==================================================================
;  Open and save dialogs with a file filter for Orvex sources, a
;  proposed file name and the overwrite question. The chosen name
;  is a new string in the file-system encoding; free it after use.
;  Changed: the save dialog now starts in the folder of the file
;  that was opened last.
;
; Link to topic:   https://example.org/orvex/gtk3/file-chooser

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_file_chooser_dialog_new(title.p-utf8, *parent, action.l,
                              button1.p-utf8, response1.l,
                              button2.p-utf8, response2.l, *terminator)
  gtk_file_chooser_get_filename(*chooser)
  gtk_file_chooser_set_current_name(*chooser, name.p-utf8)
  gtk_file_chooser_set_current_folder_c(*chooser, *folder) As "gtk_file_chooser_set_current_folder"
  gtk_file_chooser_set_do_overwrite_confirmation(*chooser, confirm.l)
  gtk_file_chooser_add_filter(*chooser, *filter)
  gtk_file_filter_new()
  gtk_file_filter_set_name(*filter, name.p-utf8)
  gtk_file_filter_add_pattern(*filter, pattern.p-utf8)
  gtk_dialog_run(*dialog)
EndImport

ImportC "-lglib-2.0"
  g_path_get_dirname(*fileName)
EndImport

#GTK_FILE_CHOOSER_ACTION_OPEN = 0
#GTK_FILE_CHOOSER_ACTION_SAVE = 1
#GTK_RESPONSE_ACCEPT = -3
#GTK_RESPONSE_CANCEL = -6

Global *mainWindow
Global *lastFolder = #Null      ; folder of the last opened file (C string)

Procedure AddFilter(*chooser, name.s, pattern.s)
  Protected *filter = gtk_file_filter_new()
  gtk_file_filter_set_name(*filter, name)
  gtk_file_filter_add_pattern(*filter, pattern)
  gtk_file_chooser_add_filter(*chooser, *filter)    ; the chooser owns the filter now
EndProcedure

ProcedureC OnOpen(*button, *userData)
  Protected *dialog, *fileName

  *dialog = gtk_file_chooser_dialog_new("Datei öffnen", *mainWindow,
                                        #GTK_FILE_CHOOSER_ACTION_OPEN,
                                        "_Abbrechen", #GTK_RESPONSE_CANCEL,
                                        "_Öffnen", #GTK_RESPONSE_ACCEPT, #Null)
  AddFilter(*dialog, "Orvex-Quellen (*.ox, *.oxi)", "*.ox*")
  AddFilter(*dialog, "Alle Dateien", "*")

  If gtk_dialog_run(*dialog) = #GTK_RESPONSE_ACCEPT
    *fileName = gtk_file_chooser_get_filename(*dialog)
    g_print(~"open: %s\n", *fileName)
    g_free(*lastFolder)                        ; g_free(#Null) does nothing
    *lastFolder = g_path_get_dirname(*fileName)
    g_free(*fileName)
  EndIf
  gtk_widget_destroy(*dialog)
EndProcedure

ProcedureC OnSave(*button, *userData)
  Protected *dialog, *fileName

  *dialog = gtk_file_chooser_dialog_new("Datei speichern", *mainWindow,
                                        #GTK_FILE_CHOOSER_ACTION_SAVE,
                                        "_Abbrechen", #GTK_RESPONSE_CANCEL,
                                        "_Speichern", #GTK_RESPONSE_ACCEPT, #Null)
  gtk_file_chooser_set_do_overwrite_confirmation(*dialog, #True)
  gtk_file_chooser_set_current_name(*dialog, "Unbenannt.ox")
  If *lastFolder
    gtk_file_chooser_set_current_folder_c(*dialog, *lastFolder)
  EndIf

  If gtk_dialog_run(*dialog) = #GTK_RESPONSE_ACCEPT
    *fileName = gtk_file_chooser_get_filename(*dialog)
    g_print(~"save: %s\n", *fileName)
    g_free(*fileName)
  EndIf
  gtk_widget_destroy(*dialog)
EndProcedure

Define *box, *open, *save

gtk_init(#Null, #Null)
*mainWindow = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*mainWindow, "Dateiauswahl")
gtk_container_set_border_width(*mainWindow, 12)
*box = gtk_box_new(#GTK_ORIENTATION_HORIZONTAL, 8)
gtk_container_add(*mainWindow, *box)

*open = gtk_button_new_with_mnemonic("Ö_ffnen ...")
*save = gtk_button_new_with_mnemonic("_Speichern ...")
gtk_box_pack_start(*box, *open, #True, #True, 0)
gtk_box_pack_start(*box, *save, #True, #True, 0)
g_signal_connect(*open, "clicked", @OnOpen(), #Null)
g_signal_connect(*save, "clicked", @OnSave(), #Null)
g_signal_connect(*mainWindow, "destroy", @Common_OnDestroy(), #Null)

gtk_widget_show_all(*mainWindow)
gtk_main()
g_free(*lastFolder)
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 77
; FirstLine = 52
; Folding = -
; EnableUnicode
; Executable = file_chooser

; ==================================================================
;  Einstellungen in einer Schlüsseldatei (GKeyFile)
; ==================================================================
;  Liest Fenstergröße und Begrüßungstext aus einer INI-ähnlichen
;  Datei im Konfigurationsordner des Benutzers und schreibt sie beim
;  Schließen zurück. Fehlt die Datei oder ein Schlüssel, gelten die
;  Standardwerte. g_key_file_save_to_file() schreibt über eine
;  temporäre Datei, die alte bleibt bei einem Fehler also erhalten.
;
;  Hinweis: Diese Datei ist in ISO-8859-1 gespeichert (ohne BOM) -
;  Umlaute wie ä, ö, ü und das ß sind hier je ein einziges Byte.
;
; Link to topic:   https://example.org/orvex/glib/key-file

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lglib-2.0"
  g_key_file_new()
  g_key_file_free(*keyFile)
  g_key_file_load_from_file(*keyFile, *fileName, flags.l, *error)
  g_key_file_save_to_file(*keyFile, *fileName, *error)
  g_key_file_get_integer(*keyFile, group.p-utf8, key.p-utf8, *error)
  g_key_file_set_integer(*keyFile, group.p-utf8, key.p-utf8, value.l)
  g_key_file_get_string(*keyFile, group.p-utf8, key.p-utf8, *error)
  g_key_file_set_string(*keyFile, group.p-utf8, key.p-utf8, value.p-utf8)
  g_key_file_set_comment(*keyFile, group.p-utf8, *key, comment.p-utf8, *error)
  g_key_file_has_key(*keyFile, group.p-utf8, key.p-utf8, *error)
  g_build_filename_c(*first, second.p-utf8, *terminator) As "g_build_filename"
  g_get_user_config_dir()
EndImport

ImportC "-lgtk-3"
  gtk_window_get_size(*window, *width, *height)
  gtk_label_set_c_text(*label, *text) As "gtk_label_set_text"
EndImport

#G_KEY_FILE_KEEP_COMMENTS = 1
#GROUP$ = "Fenster"

; Standardwerte für den ersten Start
#DEFAULT_WIDTH  = 360
#DEFAULT_HEIGHT = 180

Global *keyFile, *fileName

; Liest eine Zahl; fehlt der Schlüssel, gilt der Standardwert.
Procedure.l ReadInteger(key.s, fallback.l)
  If g_key_file_has_key(*keyFile, #GROUP$, key, #Null)
    ProcedureReturn g_key_file_get_integer(*keyFile, #GROUP$, key, #Null)
  EndIf
  ProcedureReturn fallback
EndProcedure

; Beim Schließen: Größe merken und die Datei schreiben.
ProcedureC OnDestroy(*window, *userData)
  Protected width.l, height.l
  gtk_window_get_size(*window, @width, @height)
  g_key_file_set_integer(*keyFile, #GROUP$, "Breite", width)
  g_key_file_set_integer(*keyFile, #GROUP$, "Höhe", height)
  g_key_file_set_comment(*keyFile, #GROUP$, #Null, " Größe des Fensters beim letzten Schließen", #Null)
  If g_key_file_save_to_file(*keyFile, *fileName, #Null) = #False
    g_print(~"Einstellungen nicht gespeichert\n")
  EndIf
  gtk_main_quit()
EndProcedure

Define *window, *label, *greeting

gtk_init(#Null, #Null)
*fileName = g_build_filename_c(g_get_user_config_dir(), "orvex-keyfile-demo.ini", #Null)
*keyFile = g_key_file_new()
g_key_file_load_from_file(*keyFile, *fileName, #G_KEY_FILE_KEEP_COMMENTS, #Null)   ; fehlt sie: egal

*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Schlüsseldatei")
gtk_window_set_default_size(*window, ReadInteger("Breite", #DEFAULT_WIDTH),
                            ReadInteger("Höhe", #DEFAULT_HEIGHT))

*greeting = g_key_file_get_string(*keyFile, "Allgemein", "Begrüßung", #Null)
If *greeting = #Null
  g_key_file_set_string(*keyFile, "Allgemein", "Begrüßung", "Grüße aus dem Café!")
  *label = gtk_label_new("Erster Start - Begrüßung wird gespeichert.")
Else
  *label = gtk_label_new("")
  gtk_label_set_c_text(*label, *greeting)
  g_free(*greeting)
EndIf
gtk_container_add(*window, *label)

g_signal_connect(*window, "destroy", @OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()

g_key_file_free(*keyFile)
g_free(*fileName)
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 62
; FirstLine = 40
; Folding = -
; EnableUnicode
; Executable = keyfile_settings

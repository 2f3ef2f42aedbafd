; ==================================================================
;  Programme starten mit g_spawn_async
; ==================================================================
;  Opens a file or folder with the desktop's default application by
;  starting "xdg-open" without waiting for it. The arguments go in as
;  a vector, not through a shell: a path with blanks stays one
;  argument, and nothing in it is read as a shell command. A child
;  watch reaps the finished process and reports its exit status.
;
; Link to topic:   https://example.org/orvex/glib/spawn
; Link to topic:   https://example.org/orvex/glib/child-watch

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lglib-2.0"
  g_spawn_async(*workingDir, *argv, *envp, flags.l, *childSetup, *userData, *childPid, *error)
  g_child_watch_add(pid.l, *function, *data)
  g_spawn_close_pid(pid.l)
  g_get_home_dir()
  g_error_free(*error)
EndImport

ImportC "-lgtk-3"
  gtk_entry_new()
  gtk_entry_get_text(*entry)
  gtk_entry_set_c_text(*entry, *text) As "gtk_entry_set_text"
  gtk_label_set_c_text(*label, *text) As "gtk_label_set_text"
EndImport

#G_SPAWN_DO_NOT_REAP_CHILD = 2
#G_SPAWN_SEARCH_PATH       = 4

Structure GError
  domain.l
  code.l
  *message
EndStructure

Global *status

; Called when the child has ended; the pid must be closed here.
ProcedureC OnChildExit(pid.l, status.l, *userData)
  Protected *text = g_strdup_printf("xdg-open beendet, Status %d", status)
  gtk_label_set_c_text(*status, *text)
  g_free(*text)
  g_spawn_close_pid(pid)
EndProcedure

; Starts "program target" and returns #True when it could be started.
Procedure.l StartProgram(program.s, *target)
  Protected *error.GError = #Null
  Protected pid.l
  Dim argv.i(2)

  argv(0) = g_strdup(program)
  argv(1) = *target
  argv(2) = #Null

  If g_spawn_async(#Null, @argv(0), #Null, #G_SPAWN_SEARCH_PATH | #G_SPAWN_DO_NOT_REAP_CHILD,
                   #Null, #Null, @pid, @*error)
    g_child_watch_add(pid, @OnChildExit(), #Null)
    g_free(argv(0))
    ProcedureReturn #True
  EndIf

  gtk_label_set_c_text(*status, *error\message)
  g_error_free(*error)
  g_free(argv(0))
  ProcedureReturn #False
EndProcedure

ProcedureC OnOpen(*button, *entry)
  If StartProgram("xdg-open", gtk_entry_get_text(*entry))
    gtk_label_set_text(*status, "gestartet ...")
  EndIf
EndProcedure

Define *window, *box, *entry, *button

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Programm starten")
gtk_window_set_default_size(*window, 380, 110)
*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 6)
gtk_container_set_border_width(*box, 10)
gtk_container_add(*window, *box)

*entry = gtk_entry_new()
gtk_entry_set_c_text(*entry, g_get_home_dir())      ; the home folder as a start
*button = gtk_button_new_with_mnemonic("Mit Standard-App _öffnen")
*status = gtk_label_new("")
gtk_box_pack_start(*box, *entry, #False, #False, 0)
gtk_box_pack_start(*box, *button, #False, #False, 0)
gtk_box_pack_start(*box, *status, #True, #True, 0)

g_signal_connect(*button, "clicked", @OnOpen(), *entry)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 58
; FirstLine = 36
; Folding = -
; Executable = spawn_async

; ==================================================================
;  Menüleiste mit Untermenüs
; ==================================================================
;  A menu bar with "Datei" and "Hilfe". Each top entry gets a
;  GtkMenu as submenu; items send "activate". Mnemonics (the letter
;  after "_") open the menus with Alt.
;
; Link to topic:   https://example.org/orvex/gtk3/menu-bar

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_menu_bar_new()
  gtk_menu_new()
  gtk_menu_item_new_with_mnemonic(label.p-utf8)
  gtk_menu_item_set_submenu(*item, *submenu)
  gtk_menu_shell_append(*shell, *child)
  gtk_separator_menu_item_new()
  gtk_check_menu_item_new_with_mnemonic(label.p-utf8)
  gtk_check_menu_item_get_active(*item)
  gtk_check_menu_item_set_active(*item, active.l)
EndImport

Enumeration MenuCommands 1
  #CmdNew
  #CmdOpen
  #CmdQuit
  #CmdWrap
  #CmdAbout
EndEnumeration

Global *status

ProcedureC OnMenuItem(*item, command.i)
  Select command
    Case #CmdNew   : gtk_label_set_text(*status, "Neu")
    Case #CmdOpen  : gtk_label_set_text(*status, "Öffnen ...")
    Case #CmdWrap
      If gtk_check_menu_item_get_active(*item)
        gtk_label_set_text(*status, "Zeilenumbruch an")
      Else
        gtk_label_set_text(*status, "Zeilenumbruch aus")
      EndIf
    Case #CmdAbout : gtk_label_set_text(*status, "Menü-Beispiel, Version 1.0")
    Case #CmdQuit  : gtk_main_quit()
  EndSelect
EndProcedure

; Appends an item to a menu and connects it to the command number.
Procedure.i AddItem(*menu, label.s, command.i, checkItem.l = #False)
  Protected *item
  If checkItem
    *item = gtk_check_menu_item_new_with_mnemonic(label)
  Else
    *item = gtk_menu_item_new_with_mnemonic(label)
  EndIf
  gtk_menu_shell_append(*menu, *item)
  g_signal_connect(*item, "activate", @OnMenuItem(), command)
  ProcedureReturn *item
EndProcedure

Procedure.i AddMenu(*bar, title.s)
  Protected *top = gtk_menu_item_new_with_mnemonic(title)
  Protected *menu = gtk_menu_new()
  gtk_menu_item_set_submenu(*top, *menu)
  gtk_menu_shell_append(*bar, *top)
  ProcedureReturn *menu
EndProcedure

Define *window, *vbox, *bar, *file, *view, *help

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Menüleiste")
gtk_window_set_default_size(*window, 360, 200)
*vbox = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 0)
gtk_container_add(*window, *vbox)

*bar = gtk_menu_bar_new()
*file = AddMenu(*bar, "_Datei")
AddItem(*file, "_Neu", #CmdNew)
AddItem(*file, "Ö_ffnen ...", #CmdOpen)
gtk_menu_shell_append(*file, gtk_separator_menu_item_new())
AddItem(*file, "_Beenden", #CmdQuit)
*view = AddMenu(*bar, "_Ansicht")
gtk_check_menu_item_set_active(AddItem(*view, "_Zeilenumbruch", #CmdWrap, #True), #True)
*help = AddMenu(*bar, "_Hilfe")
AddItem(*help, "_Über ...", #CmdAbout)

*status = gtk_label_new("")
gtk_box_pack_start(*vbox, *bar, #False, #False, 0)
gtk_box_pack_start(*vbox, *status, #True, #True, 0)

g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 27
; FirstLine = 5
; Folding = -
; Executable = menu_bar

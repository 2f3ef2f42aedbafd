; ==================================================================
;  GtkHeaderBar as the title bar of a window (GTK 3.10 and newer)
; ==================================================================
;  The header bar replaces the title bar of the window manager. It
;  shows title and subtitle and takes buttons on both sides.
;
; Link to topic:   https://example.org/orvex/gtk3/headerbar

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_header_bar_new()
  gtk_header_bar_set_title(*bar, title.p-utf8)
  gtk_header_bar_set_subtitle(*bar, subtitle.p-utf8)
  gtk_header_bar_set_show_close_button(*bar, show.l)
  gtk_header_bar_pack_start(*bar, *child)
  gtk_header_bar_pack_end(*bar, *child)
  gtk_window_set_titlebar(*window, *titlebar)
  gtk_button_new_from_icon_name(name.p-utf8, size.l)
EndImport

#GTK_ICON_SIZE_BUTTON = 4

Global *headerBar
Global counter.l

ProcedureC OnNewClicked(*button, *userData)
  counter = counter + 1
  If counter = 1
    gtk_header_bar_set_subtitle(*headerBar, "1 neues Dokument")
  Else
    gtk_header_bar_set_subtitle(*headerBar, "weitere Dokumente angelegt")
  EndIf
EndProcedure

ProcedureC OnMenuClicked(*button, *userData)
  gtk_header_bar_set_subtitle(*headerBar, "Menü gewählt")
EndProcedure

Procedure.i CreateHeaderBar(title.s)
  Protected *bar, *newButton, *menuButton

  *bar = gtk_header_bar_new()
  gtk_header_bar_set_title(*bar, title)
  gtk_header_bar_set_subtitle(*bar, "keine Dokumente")
  gtk_header_bar_set_show_close_button(*bar, #True)

  *newButton = gtk_button_new_from_icon_name("document-new", #GTK_ICON_SIZE_BUTTON)
  gtk_widget_set_tooltip_text(*newButton, "Neues Dokument")
  gtk_header_bar_pack_start(*bar, *newButton)

  *menuButton = gtk_button_new_from_icon_name("open-menu-symbolic", #GTK_ICON_SIZE_BUTTON)
  gtk_header_bar_pack_end(*bar, *menuButton)

  g_signal_connect(*newButton, "clicked", @OnNewClicked(), #Null)
  g_signal_connect(*menuButton, "clicked", @OnMenuClicked(), #Null)
  ProcedureReturn *bar
EndProcedure

gtk_init(#Null, #Null)

Define *window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_default_size(*window, 520, 300)
*headerBar = CreateHeaderBar("Header-Bar-Beispiel")
gtk_window_set_titlebar(*window, *headerBar)   ; must come before the window is shown
gtk_container_add(*window, gtk_label_new("Inhalt des Fensters"))
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)

gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 24
; FirstLine = 1
; Folding = -
; Executable = headerbar

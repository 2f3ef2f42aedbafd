; ==================================================================
;  Karteireiter mit GtkNotebook
; ==================================================================
;  Three pages with their tab labels; "switch-page" reports the
;  page that becomes visible. The tabs can be reordered by drag.
;
; Link to topic:   https://example.org/orvex/gtk3/notebook

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_notebook_new()
  gtk_notebook_append_page(*notebook, *child, *tabLabel)
  gtk_notebook_set_tab_pos(*notebook, position.l)
  gtk_notebook_set_scrollable(*notebook, scrollable.l)
  gtk_notebook_set_tab_reorderable(*notebook, *child, reorderable.l)
  gtk_notebook_get_n_pages(*notebook)
EndImport

#GTK_POS_LEFT   = 0
#GTK_POS_RIGHT  = 1
#GTK_POS_TOP    = 2
#GTK_POS_BOTTOM = 3

Global *statusLabel

; "switch-page" gets the notebook, the new page widget and its number
ProcedureC OnSwitchPage(*notebook, *page, pageNumber.l, *userData)
  Select pageNumber
    Case 0
      gtk_label_set_text(*statusLabel, "Seite: Allgemein")
    Case 1
      gtk_label_set_text(*statusLabel, "Seite: Ansicht")
    Default
      gtk_label_set_text(*statusLabel, "Seite: Erweitert")
  EndSelect
EndProcedure

Procedure.i AddPage(*notebook, title.s, content.s)
  Protected *page = gtk_label_new(content)
  Protected index.l

  index = gtk_notebook_append_page(*notebook, *page, gtk_label_new(title))
  gtk_notebook_set_tab_reorderable(*notebook, *page, #True)
  ProcedureReturn index
EndProcedure

Define *window, *box, *notebook

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Karteireiter")
gtk_window_set_default_size(*window, 420, 240)
gtk_container_set_border_width(*window, 8)

*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 6)
gtk_container_add(*window, *box)

*notebook = gtk_notebook_new()
gtk_notebook_set_tab_pos(*notebook, #GTK_POS_TOP)
gtk_notebook_set_scrollable(*notebook, #True)      ; arrows when the tabs do not fit
AddPage(*notebook, "Allgemein", "Name, Sprache und Startverhalten")
AddPage(*notebook, "Ansicht", "Schrift, Farben und Zoom")
AddPage(*notebook, "Erweitert", "Pfade und Protokoll")
gtk_box_pack_start(*box, *notebook, #True, #True, 0)

*statusLabel = gtk_label_new("")
gtk_box_pack_start(*box, *statusLabel, #False, #False, 0)

g_signal_connect(*notebook, "switch-page", @OnSwitchPage(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 34
; FirstLine = 14
; Folding = -
; Executable = notebook

; ==================================================================
;  Auswahlliste mit GtkComboBoxText
; ==================================================================
;  The items come from a DataSection. The "changed" signal reports
;  the chosen item; its text is a new string that must be freed.
;
; Link to topic:   https://example.org/orvex/gtk3/combo-box-text

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_combo_box_text_new()
  gtk_combo_box_text_new_with_entry()
  gtk_combo_box_text_append(*combo, id.p-utf8, text.p-utf8)
  gtk_combo_box_text_get_active_text(*combo)
  gtk_combo_box_set_active(*combo, index.l)
  gtk_combo_box_get_active(*combo)
  gtk_combo_box_get_active_id(*combo)
  gtk_label_set_c_text(*label, *text) As "gtk_label_set_text"
EndImport

#ITEM_COUNT = 4

Global *chosen

ProcedureC OnChanged(*combo, *userData)
  Protected index.l = gtk_combo_box_get_active(*combo)
  Protected *text

  If index < 0               ; nothing chosen (or typed into the entry)
    gtk_label_set_text(*chosen, "–")
    ProcedureReturn
  EndIf
  *text = gtk_combo_box_text_get_active_text(*combo)     ; new string
  gtk_label_set_c_text(*chosen, *text)
  g_free(*text)
  Common_PrintAndFree(g_strdup_printf("item %d", index))
EndProcedure

; Reads id and text pairs from the DataSection into the combo box.
Procedure FillFromData(*combo)
  Protected i.l, id.s, text.s
  Restore Languages
  For i = 1 To #ITEM_COUNT
    Read.s id
    Read.s text
    gtk_combo_box_text_append(*combo, id, text)
  Next
EndProcedure

Define *window, *box, *combo

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Auswahlliste")
gtk_window_set_default_size(*window, 280, 100)
gtk_container_set_border_width(*window, 10)

*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 8)
gtk_container_add(*window, *box)

*combo = gtk_combo_box_text_new()
FillFromData(*combo)
gtk_box_pack_start(*box, *combo, #False, #False, 0)

*chosen = gtk_label_new("")
gtk_box_pack_start(*box, *chosen, #True, #True, 0)

g_signal_connect(*combo, "changed", @OnChanged(), #Null)
gtk_combo_box_set_active(*combo, 0)       ; sends "changed" once
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)

gtk_widget_show_all(*window)
gtk_main()
End

DataSection
  Languages:
  Data.s "de", "Deutsch"
  Data.s "en", "English"
  Data.s "fr", "Français"
  Data.s "eo", "Esperanto"
EndDataSection
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 44
; FirstLine = 20
; Folding = -
; EnableUnicode
; Executable = combo_box_text

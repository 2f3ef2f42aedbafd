; ==================================================================
;  Schriftauswahl mit GtkFontChooserDialog (GTK 3.2 and newer)
; ==================================================================
;  Opens the font dialog with a preset font, then splits the choice
;  into family and size with a PangoFontDescription. Pango sizes are
;  in Pango units: points * PANGO_SCALE (1024).
;
; Link to topic:   https://example.org/orvex/gtk3/font-chooser
; Link to topic:   https://example.org/orvex/pango/font-description

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_font_chooser_dialog_new(title.p-utf8, *parent)
  gtk_font_chooser_set_font(*chooser, font.p-utf8)
  gtk_font_chooser_get_font_desc(*chooser)
  gtk_font_chooser_set_preview_text(*chooser, text.p-utf8)
  gtk_dialog_run(*dialog)
  gtk_label_set_c_text(*label, *text) As "gtk_label_set_text"
EndImport

ImportC "-lpango-1.0"
  pango_font_description_get_family(*description)
  pango_font_description_get_size(*description)
  pango_font_description_free(*description)
EndImport

ImportC "-lglib-2.0"
  g_strdup_printf_font(format.p-utf8, *family, size.l) As "g_strdup_printf"
EndImport

#GTK_RESPONSE_OK = -5
#PANGO_SCALE     = 1024

Global *fontLabel
Global fontName.s = "Monospace 10"

ProcedureC OnChooseFont(*button, *window)
  Protected *dialog, *description, *text

  *dialog = gtk_font_chooser_dialog_new("Zeichensatz wählen", *window)
  gtk_font_chooser_set_font(*dialog, fontName)
  gtk_font_chooser_set_preview_text(*dialog, "Procedure.i Größe(x.l) ; Äpfel & Öl")

  If gtk_dialog_run(*dialog) = #GTK_RESPONSE_OK
    *description = gtk_font_chooser_get_font_desc(*dialog)
    If *description
      *text = g_strdup_printf_font("%s, %d pt",
                                   pango_font_description_get_family(*description),
                                   pango_font_description_get_size(*description) / #PANGO_SCALE)
      gtk_label_set_c_text(*fontLabel, *text)
      g_free(*text)
      pango_font_description_free(*description)
    EndIf
  EndIf
  gtk_widget_destroy(*dialog)
EndProcedure

Define *window, *box, *button

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Schriftauswahl")
gtk_container_set_border_width(*window, 12)
*box = gtk_box_new(#GTK_ORIENTATION_HORIZONTAL, 10)
gtk_container_add(*window, *box)

*fontLabel = gtk_label_new(fontName)
*button = gtk_button_new_with_label("...")
gtk_widget_set_tooltip_text(*button, "Öffnet die Zeichensatz-Auswahl.")
gtk_box_pack_start(*box, *fontLabel, #True, #True, 0)
gtk_box_pack_start(*box, *button, #False, #False, 0)

g_signal_connect(*button, "clicked", @OnChooseFont(), *window)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 39
; FirstLine = 18
; Folding = -
; Executable = font_chooser

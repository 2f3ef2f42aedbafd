; ==================================================================
;  CSS-Provider und Widget-Namen
; ==================================================================
;  A style sheet for the whole screen. Widgets are picked by their
;  type (button), by a name set with gtk_widget_set_name (#status)
;  or by a style class (.warning). Errors in the style sheet come
;  back as a GError.
;
; Link to topic:   https://example.org/orvex/gtk3/css-provider
; Link to topic:   https://example.org/orvex/gtk3/css-properties

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_css_provider_new()
  gtk_css_provider_load_from_data(*provider, data.p-utf8, length.i, *error)
  gtk_style_context_add_provider_for_screen(*screen, *provider, priority.l)
  gtk_widget_get_style_context(*widget)
  gtk_style_context_add_class(*context, name.p-utf8)
  gtk_style_context_remove_class(*context, name.p-utf8)
  gtk_widget_set_name(*widget, name.p-utf8)
  gdk_screen_get_default()
EndImport

ImportC "-lglib-2.0"
  g_error_free(*error)
EndImport

#GTK_STYLE_PROVIDER_PRIORITY_APPLICATION = 600

Structure GError
  domain.l
  code.l
  *message
EndStructure

; The "#" in front of status is CSS, not an Orvex constant.
#STYLE$ = "#status { color: #C00000; font-weight: bold; } .warning { background: #FFF3B0; } button { padding: 4px 12px; }"

Global *status

Procedure.l LoadStyleSheet(css.s)
  Protected *provider = gtk_css_provider_new()
  Protected *error.GError = #Null

  If gtk_css_provider_load_from_data(*provider, css, -1, @*error) = #False
    Common_PrintAndFree(g_strdup_printf("CSS error: %s", *error\message))
    g_error_free(*error)
    g_object_unref(*provider)
    ProcedureReturn #False
  EndIf
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), *provider,
                                            #GTK_STYLE_PROVIDER_PRIORITY_APPLICATION)
  g_object_unref(*provider)          ; the screen holds its own reference now
  ProcedureReturn #True
EndProcedure

ProcedureC OnToggleWarning(*button, *userData)
  Static warned.l
  Protected *context = gtk_widget_get_style_context(*status)
  warned = 1 - warned
  If warned
    gtk_style_context_add_class(*context, "warning")
  Else
    gtk_style_context_remove_class(*context, "warning")
  EndIf
EndProcedure

Define *window, *box, *button

gtk_init(#Null, #Null)
If LoadStyleSheet(#STYLE$) = #False
  End
EndIf

*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "CSS-Provider")
gtk_container_set_border_width(*window, 12)
*box = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 8)
gtk_container_add(*window, *box)

*status = gtk_label_new("Status: alles in Ordnung; oder doch nicht?")   ; the ";" in the string is no comment
gtk_widget_set_name(*status, "status")
gtk_box_pack_start(*box, *status, #True, #True, 0)

*button = gtk_button_new_with_mnemonic("_Warnung an/aus")
gtk_box_pack_start(*box, *button, #False, #False, 0)
g_signal_connect(*button, "clicked", @OnToggleWarning(), #Null)
g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)

gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 38
; FirstLine = 17
; Folding = -
; EnableUnicode
; Executable = css_provider

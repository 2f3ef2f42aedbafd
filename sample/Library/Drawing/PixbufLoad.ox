; ==================================================================
;  Bilder laden und skalieren mit GdkPixbuf
; ==================================================================
;  Loads an image file into a GdkPixbuf, scales it to fit 200 pixels
;  and shows it in a GtkImage. When the file cannot be read, the
;  GError tells why, and an icon from the theme is shown instead.
;
; Link to topic:   https://example.org/orvex/gdk-pixbuf/loading

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgdk_pixbuf-2.0"
  gdk_pixbuf_new_from_file(fileName.p-utf8, *error)
  gdk_pixbuf_get_width(*pixbuf)
  gdk_pixbuf_get_height(*pixbuf)
  gdk_pixbuf_scale_simple(*pixbuf, width.l, height.l, interpolation.l)
EndImport

ImportC "-lgtk-3"
  gtk_image_new_from_pixbuf(*pixbuf)
  gtk_icon_theme_get_default()
  gtk_icon_theme_load_icon(*theme, name.p-utf8, size.l, flags.l, *error)
EndImport

ImportC "-lglib-2.0"
  g_error_free(*error)
EndImport

#GDK_INTERP_BILINEAR = 2
#MAX_SIZE = 200

Structure GError
  domain.l
  code.l
  *message
EndStructure

; Returns a new pixbuf no larger than maxSize in either direction.
Procedure.i ScaleToFit(*pixbuf, maxSize.l)
  Protected width.l = gdk_pixbuf_get_width(*pixbuf)
  Protected height.l = gdk_pixbuf_get_height(*pixbuf)

  If width <= maxSize And height <= maxSize
    g_object_ref(*pixbuf)                   ; the caller gets its own reference
    ProcedureReturn *pixbuf
  EndIf
  If width >= height
    height = height * maxSize / width : width = maxSize
  Else
    width = width * maxSize / height : height = maxSize
  EndIf
  ProcedureReturn gdk_pixbuf_scale_simple(*pixbuf, width, height, #GDK_INTERP_BILINEAR)
EndProcedure

Procedure.i LoadPicture(fileName.s)
  Protected *error.GError = #Null
  Protected *pixbuf, *scaled

  *pixbuf = gdk_pixbuf_new_from_file(fileName, @*error)
  If *pixbuf = #Null
    g_print(~"Nicht geladen: %s\n", *error\message)
    g_error_free(*error)
    *error = #Null
    *pixbuf = gtk_icon_theme_load_icon(gtk_icon_theme_get_default(), "image-missing", 64, 0, @*error)
    If *pixbuf = #Null
      g_error_free(*error)
      ProcedureReturn gtk_label_new("(kein Bild)")
    EndIf
  EndIf

  *scaled = ScaleToFit(*pixbuf, #MAX_SIZE)
  g_object_unref(*pixbuf)
  *pixbuf = gtk_image_new_from_pixbuf(*scaled)      ; the image takes a reference
  g_object_unref(*scaled)
  ProcedureReturn *pixbuf
EndProcedure

Define *window

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Bild laden")
gtk_container_set_border_width(*window, 10)

; a relative name is looked up in the current folder
gtk_container_add(*window, LoadPicture("Bild.png"))

g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 64
; FirstLine = 40
; Folding = -
; Executable = pixbuf_load

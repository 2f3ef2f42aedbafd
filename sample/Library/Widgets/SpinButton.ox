; ==================================================================
;  Number field (GtkSpinButton)
; ==================================================================
;  Two spin buttons: a whole number and a value with two decimals.
;  Every change recalculates the label below them.
;
; Link to topic:   https://example.org/orvex/gtk3/spin-button

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_spin_button_new_with_range(min.d, max.d, stepSize.d)
  gtk_spin_button_set_digits(*spin, digits.l)
  gtk_spin_button_set_value(*spin, value.d)
  gtk_spin_button_get_value.d(*spin)
  gtk_spin_button_get_value_as_int(*spin)
  gtk_spin_button_set_wrap(*spin, wrap.l)
  gtk_grid_new()
  gtk_grid_attach(*grid, *child, left.l, top.l, width.l, height.l)
  gtk_grid_set_row_spacing(*grid, spacing.l)
  gtk_grid_set_column_spacing(*grid, spacing.l)
  ; the same C function once more, under a second name that takes a C string
  gtk_label_set_c_text(*label, *text) As "gtk_label_set_text"
EndImport

ImportC "-lglib-2.0"
  g_strdup_printf_double(format.p-utf8, value.d) As "g_strdup_printf"
EndImport

Structure Calculator
  *count
  *price
  *total
EndStructure

Global calc.Calculator

; Both spin buttons call this handler on "value-changed".
ProcedureC OnValueChanged(*spin, *userData)
  Protected count.l = gtk_spin_button_get_value_as_int(calc\count)
  Protected price.d = gtk_spin_button_get_value(calc\price)
  Protected *text = g_strdup_printf_double("Total: %.2f", count * price)
  gtk_label_set_c_text(calc\total, *text)
  g_free(*text)
EndProcedure

Procedure AddRow(*grid, row.l, caption.s, *spin)
  Protected *label = gtk_label_new(caption)
  gtk_widget_set_halign(*label, #GTK_ALIGN_END)
  gtk_grid_attach(*grid, *label, 0, row, 1, 1)
  gtk_grid_attach(*grid, *spin, 1, row, 1, 1)
  g_signal_connect(*spin, "value-changed", @OnValueChanged(), #Null)
EndProcedure

Define *window, *grid

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Spin buttons")
gtk_container_set_border_width(*window, 12)

*grid = gtk_grid_new()
gtk_grid_set_row_spacing(*grid, 6)
gtk_grid_set_column_spacing(*grid, 8)
gtk_container_add(*window, *grid)

calc\count = gtk_spin_button_new_with_range(1, 100, 1)
gtk_spin_button_set_wrap(calc\count, #True)         ; 100 + 1 gives 1 again
AddRow(*grid, 0, "Count:", calc\count)

calc\price = gtk_spin_button_new_with_range(0, 1000, 0.05)
gtk_spin_button_set_digits(calc\price, 2)
gtk_spin_button_set_value(calc\price, 9.95)
AddRow(*grid, 1, "Price:", calc\price)

calc\total = gtk_label_new("")
gtk_grid_attach(*grid, calc\total, 0, 2, 2, 1)

g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 29
; FirstLine = 12
; Folding = -
; Executable = spin_button

; ==================================================================
;  GtkStack und GtkStackSwitcher (GTK 3.10 and newer)
; ==================================================================
;  A stack shows one of its children at a time. The switcher above
;  it is a row of buttons, one per child title. Changing the page
;  slides the old child out and the new one in.
;
; Link to topic:   https://example.org/orvex/gtk3/stack
; Link to topic:   https://example.org/orvex/gtk3/stack-switcher

XIncludeFile "../Basics/GtkCommon.oxi"

ImportC "-lgtk-3"
  gtk_stack_new()
  gtk_stack_add_titled(*stack, *child, name.p-utf8, title.p-utf8)
  gtk_stack_set_transition_type(*stack, transition.l)
  gtk_stack_set_transition_duration(*stack, duration.l)
  gtk_stack_set_visible_child_name(*stack, name.p-utf8)
  gtk_stack_switcher_new()
  gtk_stack_switcher_set_stack(*switcher, *stack)
  gtk_switch_new()
  gtk_calendar_new()
EndImport

#GTK_STACK_TRANSITION_TYPE_SLIDE_LEFT_RIGHT = 6
#DURATION_MS = 350

Procedure.i CreateStack()
  Protected *stack = gtk_stack_new()
  Protected *page

  gtk_stack_set_transition_type(*stack, #GTK_STACK_TRANSITION_TYPE_SLIDE_LEFT_RIGHT)
  gtk_stack_set_transition_duration(*stack, #DURATION_MS)

  ; the name is for the program, the title is shown on the switcher
  gtk_stack_add_titled(*stack, gtk_label_new("Willkommen!"), "start", "Start")
  gtk_stack_add_titled(*stack, gtk_calendar_new(), "calendar", "Kalender")

  *page = gtk_box_new(#GTK_ORIENTATION_HORIZONTAL, 8)
  gtk_box_pack_start(*page, gtk_label_new("Dunkles Thema"), #False, #False, 0)
  gtk_box_pack_start(*page, gtk_switch_new(), #False, #False, 0)
  gtk_widget_set_halign(*page, #GTK_ALIGN_CENTER)
  gtk_stack_add_titled(*stack, *page, "options", "Optionen")

  ProcedureReturn *stack
EndProcedure

Define *window, *vbox, *stack, *switcher

gtk_init(#Null, #Null)
*window = gtk_window_new(#GTK_WINDOW_TOPLEVEL)
gtk_window_set_title(*window, "Stack & Umschalter")
gtk_window_set_default_size(*window, 380, 300)
gtk_container_set_border_width(*window, 10)

*vbox = gtk_box_new(#GTK_ORIENTATION_VERTICAL, 8)
gtk_container_add(*window, *vbox)

*stack = CreateStack()
*switcher = gtk_stack_switcher_new()
gtk_stack_switcher_set_stack(*switcher, *stack)
gtk_widget_set_halign(*switcher, #GTK_ALIGN_CENTER)

gtk_box_pack_start(*vbox, *switcher, #False, #False, 0)
gtk_box_pack_start(*vbox, *stack, #True, #True, 0)

g_signal_connect(*window, "destroy", @Common_OnDestroy(), #Null)
gtk_widget_show_all(*window)
gtk_stack_set_visible_child_name(*stack, "start")    ; only works once shown
gtk_main()
End
; IDE Options = Orvex 6.12 (Linux - x64)
; CursorPosition = 30
; FirstLine = 8
; Folding = -
; Executable = stack_switcher

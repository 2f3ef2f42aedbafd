s$ = "If End" ; If End
If

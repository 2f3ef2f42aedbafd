ProcedureC
; Foo bar
Foo()

; Procedure Foo
Procedure Bar()
EndProcedure
Foo() : Bar()

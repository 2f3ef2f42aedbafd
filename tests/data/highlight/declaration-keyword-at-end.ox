Procedure Foo()
EndProcedure
Foo()
Procedure
Declare Foo()
Procedure Foo()
EndProcedure
Procedure Foo()
EndProcedure
Foo()

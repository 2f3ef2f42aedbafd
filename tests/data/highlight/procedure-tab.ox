Procedure	Foo(a, b)
  Foo(b)
EndProcedure

Procedure Foo()
EndProcedure
Foo() : x = Foo : FooBar() : y = "Foo" ; Foo
*p = @Foo()
Foo.i

If x = #True
  Procedure Foo() ; note
EndIf

if x : endif
procedure foo()
If x : EndIf

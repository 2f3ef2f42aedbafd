If a : EndIf
MyEnd = End_2 + 1
End.
End(1)
End

Procedure Foo(a.s)
  ; Link to topic:   https://example.org/a<b>&c
  ; Link to topic:   file:///etc/passwd
  ; Link to topic:   javascript:alert(1)
  Debug "ÿÃ" + Foo(1) ; comment
EndProcedure
#Constant = 1

; one "
; two
; three
; Link to topic:   https://example.org/c
End

; Link to topic:   
; Link to topic:   https://example.org/a
; Link to topic:  two blanks only

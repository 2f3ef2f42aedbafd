url$ = "; Link to topic:   https://example.org/s"
; Link to topic:   a ; Link to topic:   b

s$ = "open
ok = 1
y = 2 ; "z

a$ = "one
b = "x ; c "d

a$ = "open
b = 2 ; inside the string
c$ = "x" + "y

; it's a "quote
s$ = "text"
x = 1 ; done

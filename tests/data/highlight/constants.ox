a#B = #C ## #D$x
s$ = "#E" ; #F
###
x = 1#G

;"
x = 1 ; plain
"y"

Procedure (x)
Procedure  .s
x = 1

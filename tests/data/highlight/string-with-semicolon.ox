text$ = "a;b" + "c" ; the real comment

; he said "hi
x = 1 ; stays plain
y = 2 ; a comment again

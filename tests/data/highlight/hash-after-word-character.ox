a##B
x#
#C ; #
#E

ö#A ✰End ✰If Foo✰
Procedure ✰Bar
ÄEndIf

Procedure

Procedure Second()
EndProcedure
ProcedureDLL   Third(x)
Second() : Third(1)

Procedure.s Name$(text.s)
  ProcedureReturn Name$(text)
EndProcedure
Debug Name$("x")

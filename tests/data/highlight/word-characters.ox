$If _If If$ If_ 9If (If) If

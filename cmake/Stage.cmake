# Lays out the ready-to-run tree from the sample files:
#   STAGE/Templates, STAGE/Export, STAGE/Library (database, code files),
#   STAGE/Library/Viewer (language file, help file, preferences).
# The preferences file is seeded only when absent and exports are never
# touched, so what a user changed in the staged tree survives a rebuild.
foreach(var SAMPLE STAGE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "Stage.cmake needs -D${var}=...")
  endif()
endforeach()

file(MAKE_DIRECTORY "${STAGE}/Export" "${STAGE}/Library/Viewer")
file(COPY "${SAMPLE}/Templates" "${SAMPLE}/Library" DESTINATION "${STAGE}")
# The exported web page refers to its folder icons relative to itself.
file(COPY "${SAMPLE}/Export/Icons" DESTINATION "${STAGE}/Export")

set(preferences "${STAGE}/Library/Viewer/LinuxOX VIZ-AduDozuzo.ini")
if(NOT EXISTS "${preferences}")
  file(COPY_FILE "${SAMPLE}/seed/LinuxOX VIZ-AduDozuzo.ini" "${preferences}")
endif()

# Installing and packaging.
#
# `cmake --install` puts a portable program folder under the prefix, laid out
# as the stage (Templates, Export, Library with the program in
# Library/Viewer), so the program finds its files beside itself wherever the
# folder goes. Beside it, in the freedesktop places: a command in bin, a
# desktop entry, the program icon and the metainfo that software centres
# list the program by.
#
# `cpack` makes a TGZ archive whose top folder is that program folder with
# the README: unpacked anywhere, Library/Viewer/orvex-api-viewer runs.

set(ORVEX_INSTALL_FOLDER "lib/orvex-api-viewer" CACHE STRING
    "Folder under the install prefix that receives the portable program folder")
set(ORVEX_PREFERENCES "LinuxOX VIZ-AduDozuzo.ini")
# The metainfo file, named by the component id it holds.
set(ORVEX_METAINFO example.orvex_api.orvex_api_viewer.metainfo.xml)

# The program folder at DESTINATION, as part of COMPONENT. The preferences
# file is seeded only when absent, so a second install keeps the user's
# settings; exports a user made are never touched.
function(orvex_install_program_folder destination component)
  set(extra ${ARGN})
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/sample/Templates ${CMAKE_SOURCE_DIR}/sample/Library
          DESTINATION ${destination} COMPONENT ${component} ${extra})
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/sample/Export/Icons
          DESTINATION ${destination}/Export COMPONENT ${component} ${extra})
  install(TARGETS orvex-api-viewer
          RUNTIME DESTINATION ${destination}/Library/Viewer COMPONENT ${component} ${extra})
  install(CODE "
    set(folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/Library/Viewer\")
    if(NOT EXISTS \"\${folder}/${ORVEX_PREFERENCES}\")
      file(INSTALL \"${CMAKE_SOURCE_DIR}/sample/seed/${ORVEX_PREFERENCES}\"
           DESTINATION \"\${folder}\")
    endif()"
    COMPONENT ${component} ${extra})
endfunction()

orvex_install_program_folder(${ORVEX_INSTALL_FOLDER} program)

# The command, the desktop entry and the icon name the program where the
# prefix holds it; the entry is written at install time, when the prefix is
# known.
install(CODE "
  set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
  set(root \"\$ENV{DESTDIR}\${prefix}\")
  file(MAKE_DIRECTORY \"\${root}/bin\" \"\${root}/share/applications\")
  file(CREATE_LINK \"../${ORVEX_INSTALL_FOLDER}/Library/Viewer/orvex-api-viewer\"
       \"\${root}/bin/orvex-api-viewer\" SYMBOLIC)
  set(program \"\${prefix}/${ORVEX_INSTALL_FOLDER}/Library/Viewer/orvex-api-viewer\")
  # A quoted Exec argument escapes these four characters with a backslash.
  foreach(special \"\\\\\" \"\\\"\" \"`\" \"$\")
    string(REPLACE \"\${special}\" \"\\\\\${special}\" program \"\${program}\")
  endforeach()
  configure_file(\"${CMAKE_SOURCE_DIR}/resources/orvex-api-viewer.desktop.in\"
                 \"\${root}/share/applications/orvex-api-viewer.desktop\" @ONLY)
  message(STATUS \"Installing: \${root}/share/applications/orvex-api-viewer.desktop\")"
  COMPONENT desktop)
foreach(size ${ORVEX_DESKTOP_ICON_SIZES})
  install(FILES ${ORVEX_ICONS_DIR}/Program-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps
          RENAME orvex-api-viewer.png COMPONENT desktop)
endforeach()
install(FILES ${ORVEX_ICONS_DIR}/Program.svg DESTINATION share/icons/hicolor/scalable/apps
        RENAME orvex-api-viewer.svg COMPONENT desktop)
install(FILES ${CMAKE_SOURCE_DIR}/resources/${ORVEX_METAINFO}
        DESTINATION share/metainfo COMPONENT desktop)

# The release archive: the program folder at the archive's top, with the
# README. Its component is left out of `cmake --install`.
orvex_install_program_folder(. archive EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION . COMPONENT archive EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR TGZ)
set(CPACK_PACKAGE_NAME orvex-api-viewer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "orvex-api-viewer-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};archive;/")
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

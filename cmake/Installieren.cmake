# Installation: "cmake --install build" (prefix /usr/local unless CMAKE_INSTALL_PREFIX
# says otherwise; DESTDIR honoured). The program finds the files that come with it
# beside itself or in <prefix>/share/vemla; see app/UOrte.h. The menu entry names
# the installed program by its full path (cmake/Menueeintrag.cmake).
include(GNUInstallDirs)
set(VEMLA_DATENORDNER ${CMAKE_INSTALL_DATADIR}/vemla)
# The modules belong to the program alone: they go to the multiarch library
# folder (lib/x86_64-linux-gnu/vemla), as Debian keeps a program's private
# modules, not into a folder the system's linker cache would have to know.
set(VEMLA_MODULORDNER ${CMAKE_INSTALL_LIBDIR})
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT VEMLA_MODULORDNER MATCHES "/${CMAKE_LIBRARY_ARCHITECTURE}$")
  string(APPEND VEMLA_MODULORDNER /${CMAKE_LIBRARY_ARCHITECTURE})
endif()
string(APPEND VEMLA_MODULORDNER /vemla)
file(RELATIVE_PATH VEMLA_DATEN_RELATIV ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/vemla)
file(RELATIVE_PATH VEMLA_MODULE_RELATIV ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${VEMLA_MODULORDNER})
set_property(SOURCE app/UOrte.cpp APPEND PROPERTY COMPILE_DEFINITIONS VEMLA_DATEN_RELATIV="${VEMLA_DATEN_RELATIV}"
             VEMLA_MODULE_RELATIV="${VEMLA_MODULE_RELATIV}")

install(TARGETS vemla RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The modules the program loads when it first shows a web page, prints or writes an SVG image.
foreach(modul vemla_web vemla_druck vemla_svg)
  if(TARGET ${modul})
    install(TARGETS ${modul} LIBRARY DESTINATION ${VEMLA_MODULORDNER})
  endif()
endforeach()

# Files that come with the program, as the build places them beside the executable
# (names relative to its folder). Whatever of them a build has is installed.
list(APPEND VEMLA_MITGELIEFERT
  blau.html gelb.html grau.html gruen.html rot.html schwarz.html weiss.html
  ${VEMLA_BEILAGEN} help/format.css copyright.js)
list(REMOVE_DUPLICATES VEMLA_MITGELIEFERT)
foreach(datei ${VEMLA_MITGELIEFERT})
  get_filename_component(unterordner ${datei} DIRECTORY)
  install(FILES $<TARGET_FILE_DIR:vemla>/${datei} DESTINATION ${VEMLA_DATENORDNER}/${unterordner} OPTIONAL)
endforeach()

set(quelle ${CMAKE_CURRENT_LIST_DIR}/../resources/installation)
install(FILES ${quelle}/vemla.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${quelle}/vemla-48.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME vemla.png)
install(FILES ${quelle}/de.vemla.vemla.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${quelle}/vemla-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME vemla.xml)

# The manual page and, in the documentation folder, the copyright and the
# changelog, compressed as Debian wants them (gzip -9n: no name, no time stamp).
set(VEMLA_DOKU ${CMAKE_BINARY_DIR}/doku)
configure_file(${quelle}/vemla.1.in ${VEMLA_DOKU}/vemla.1 @ONLY)
configure_file(${quelle}/changelog ${VEMLA_DOKU}/changelog COPYONLY)
file(STRINGS ${quelle}/changelog VEMLA_CHANGELOG_KOPF LIMIT_COUNT 1)
if(NOT VEMLA_CHANGELOG_KOPF MATCHES "^vemla \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "resources/installation/changelog: the newest entry is not version ${PROJECT_VERSION}")
endif()
add_custom_command(OUTPUT ${VEMLA_DOKU}/vemla.1.gz ${VEMLA_DOKU}/changelog.gz
  COMMAND gzip -9nkf vemla.1 changelog
  DEPENDS ${VEMLA_DOKU}/vemla.1 ${VEMLA_DOKU}/changelog
  WORKING_DIRECTORY ${VEMLA_DOKU})
add_custom_target(dokumentation ALL DEPENDS ${VEMLA_DOKU}/vemla.1.gz ${VEMLA_DOKU}/changelog.gz)
add_dependencies(vemla dokumentation)
install(FILES ${VEMLA_DOKU}/vemla.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VEMLA_DOKU}/changelog.gz ${quelle}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vemla)

install(CODE "set(VEMLA_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
  set(VEMLA_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(VEMLA_MENUEEINTRAG \"${quelle}/vemla.desktop\")
  set(VEMLA_ZWISCHENORDNER \"${CMAKE_BINARY_DIR}\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/Menueeintrag.cmake)

# Installed straight onto this machine (no DESTDIR, as a package build would use),
# the desktop learns of the new file type, menu entry and icon at once.
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "")
    set(daten "${CMAKE_INSTALL_PREFIX}/${VEMLA_DATADIR}")
    find_program(VEMLA_UPDATE_MIME update-mime-database)
    find_program(VEMLA_UPDATE_DESKTOP update-desktop-database)
    find_program(VEMLA_UPDATE_ICONS gtk-update-icon-cache)
    if(VEMLA_UPDATE_MIME)
      execute_process(COMMAND ${VEMLA_UPDATE_MIME} "${daten}/mime")
    endif()
    if(VEMLA_UPDATE_DESKTOP)
      execute_process(COMMAND ${VEMLA_UPDATE_DESKTOP} -q "${daten}/applications")
    endif()
    if(VEMLA_UPDATE_ICONS AND EXISTS "${daten}/icons/hicolor/index.theme")
      execute_process(COMMAND ${VEMLA_UPDATE_ICONS} -q -t -f "${daten}/icons/hicolor")
    endif()
  endif()
]])

if(TARGET test_installation)
  # The installation tests install this build tree into a folder of their own.
  add_dependencies(test_installation vemla)
  target_compile_definitions(test_installation PRIVATE VEMLA_BAUORDNER="${CMAKE_BINARY_DIR}"
                             VEMLA_CMAKE="${CMAKE_COMMAND}" VEMLA_DATEN_RELATIV="${VEMLA_DATEN_RELATIV}"
                             VEMLA_MODULORDNER="${VEMLA_MODULORDNER}")
endif()

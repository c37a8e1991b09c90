# Run by "cmake --install": writes the menu entry with the absolute path of the
# installed program, so that the menu and a double-clicked ".vem" file find it
# whatever PATH holds. The path is the one the program has after installation
# (CMAKE_INSTALL_PREFIX, also when given as --prefix); DESTDIR only stages it.
if(IS_ABSOLUTE "${VEMLA_BINDIR}")
  set(programm "${VEMLA_BINDIR}/vemla")
else()
  set(programm "${CMAKE_INSTALL_PREFIX}/${VEMLA_BINDIR}/vemla")
endif()
cmake_path(NORMAL_PATH programm)

# Quoted as the desktop entry format asks for an argument with reserved characters;
# a "%" is doubled in any case.
string(REPLACE "%" "%%" exec "${programm}")
if(exec MATCHES "[] \t\n\"'\\\\><~|&;$*?#()`[]")
  foreach(zeichen "\\" "\"" "`" "$")
    string(REPLACE "${zeichen}" "\\${zeichen}" exec "${exec}")
  endforeach()
  # The value of the key is a string in which a backslash is written doubled.
  string(REPLACE "\\" "\\\\" exec "\"${exec}\"")
endif()

file(READ "${VEMLA_MENUEEINTRAG}" eintrag)
string(REPLACE "Exec=vemla " "Exec=${exec} " eintrag "${eintrag}")
# Written under its final name in a folder of this run's own (installations may run side by side).
string(RANDOM LENGTH 12 lauf)
set(datei "${VEMLA_ZWISCHENORDNER}/menueeintrag-${lauf}/vemla.desktop")
file(WRITE "${datei}" "${eintrag}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${VEMLA_DATADIR}/applications" TYPE FILE FILES "${datei}")
file(REMOVE_RECURSE "${VEMLA_ZWISCHENORDNER}/menueeintrag-${lauf}")

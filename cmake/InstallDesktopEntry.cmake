# Runs at install time: writes the desktop entry with the installed program's
# full path, so that it is right for whatever prefix the install is given.
# Expects TESSARO_DESKTOP_IN, TESSARO_BINDIR and TESSARO_DATADIR.
if(IS_ABSOLUTE "${TESSARO_BINDIR}")
  set(path "${TESSARO_BINDIR}/tessaro")
else()
  set(path "${CMAKE_INSTALL_PREFIX}/${TESSARO_BINDIR}/tessaro")
endif()
# The Exec key: a path with reserved characters is quoted, '"', '`', '$' and
# '\' within the quotes carry a backslash, '%' is doubled; then the file
# format doubles every backslash.
if(path MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
  string(REPLACE "\\" "\\\\" path "${path}")
  string(REPLACE "\"" "\\\"" path "${path}")
  string(REPLACE "`" "\\`" path "${path}")
  string(REPLACE "$" "\\$" path "${path}")
  set(path "\"${path}\"")
endif()
string(REPLACE "%" "%%" path "${path}")
string(REPLACE "\\" "\\\\" path "${path}")
file(READ "${TESSARO_DESKTOP_IN}" text)
string(REPLACE "@TESSARO_EXEC@" "${path} %f" text "${text}")
if(IS_ABSOLUTE "${TESSARO_DATADIR}")
  set(target "$ENV{DESTDIR}${TESSARO_DATADIR}/applications/tessaro.desktop")
else()
  set(target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${TESSARO_DATADIR}/applications/tessaro.desktop")
endif()
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${text}")

# Run by `cmake --install`: writes the desktop entry with the installed
# program's absolute path, so that the menu starts it even when PREFIX/bin
# is not on the desktop session's PATH (as ~/.local/bin often is not).
# Expects CORVANEL_SOURCE_DIR, CORVANEL_APP_ID and CORVANEL_STAGING_DIR.

# A relative prefix is taken from the current folder, as the install does.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(program "${prefix}/bin/corvanel")

# A path with characters the Exec key reserves is written as one quoted
# argument: backslash, quote, backquote and dollar escaped as the quoting
# rule says, then every backslash doubled by the string rule.
if(program MATCHES "[^A-Za-z0-9_./+@:,=-]")
  string(REPLACE "\\" "\\\\\\\\" quoted "${program}")
  string(REPLACE "\"" "\\\\\"" quoted "${quoted}")
  string(REPLACE "`" "\\\\`" quoted "${quoted}")
  string(REPLACE "$" "\\\\$" quoted "${quoted}")
  set(program "\"${quoted}\"")
endif()
string(REPLACE "%" "%%" CORVANEL_EXEC "${program}")

configure_file("${CORVANEL_SOURCE_DIR}/assets/${CORVANEL_APP_ID}.desktop.in"
               "${CORVANEL_STAGING_DIR}/${CORVANEL_APP_ID}.desktop" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
     FILES "${CORVANEL_STAGING_DIR}/${CORVANEL_APP_ID}.desktop")

# Run by `cmake --install`: writes the desktop entry for the install prefix
# and, for an install straight into place (no DESTDIR), refreshes the
# desktop's caches so that the menu entry and the file type show at once.
set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(TESSARIN_BINDIR "${CMAKE_INSTALL_PREFIX}/bin")
set(entry "${prefix}/share/applications/tessarin.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${TESSARIN_DESKTOP_TEMPLATE}" "${entry}" @ONLY)

if("$ENV{DESTDIR}" STREQUAL "")
  find_program(update_mime update-mime-database)
  find_program(update_desktop update-desktop-database)
  if(update_mime)
    execute_process(COMMAND ${update_mime} "${prefix}/share/mime" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(WARNING "update-mime-database failed for ${prefix}/share/mime")
    endif()
  endif()
  if(update_desktop)
    execute_process(COMMAND ${update_desktop} "${prefix}/share/applications")
  endif()
endif()

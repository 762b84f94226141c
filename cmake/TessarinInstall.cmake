# `cmake --install BUILD --prefix PREFIX`: the programs, the user manual,
# the desktop entry with its icon and file type, and the examples.
install(TARGETS tessarin-cli RUNTIME DESTINATION bin)
if(TARGET tessarin)
  install(TARGETS tessarin RUNTIME DESTINATION bin)
endif()
if(TARGET tessarin_manual)
  # Where the program looks for it when there is no Docs folder beside it.
  install(FILES "${TESSARIN_MANUAL_PDF}" DESTINATION share/doc/tessarin)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tessarin.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tessarin.xml DESTINATION share/mime/packages)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION share/tessarin/examples)
# The files the user manual shows and explains.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual/examples/ DESTINATION share/tessarin/examples/manual)
# The desktop entry names the installed program by its full path, which is
# known only when installing.
install(CODE "set(TESSARIN_DESKTOP_TEMPLATE \"${PROJECT_SOURCE_DIR}/packaging/tessarin.desktop.in\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/InstallDesktopEntry.cmake)

if(TESSARIN_BUILD_TESTS)
  add_test(NAME tessarin_install
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR} -DWITH_GUI=$<TARGET_EXISTS:tessarin>
            -P ${PROJECT_SOURCE_DIR}/tests/install/check_install.cmake)
  add_test(NAME tessarin_package
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR} -DWITH_GUI=$<TARGET_EXISTS:tessarin>
            -P ${PROJECT_SOURCE_DIR}/tests/install/check_package.cmake)
  set_tests_properties(tessarin_package PROPERTIES SKIP_REGULAR_EXPRESSION "package test skipped")
endif()

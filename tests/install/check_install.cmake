# Installs the build into a fresh temporary prefix and checks what a user
# gets: the programs (the command line runs on the installed examples), the
# manual, the desktop entry, the icon and the file type of parameter files.
# Run as: cmake -DBUILD_DIR=... -DWITH_GUI=0|1 -P check_install.cmake
string(RANDOM LENGTH 8 tag)
set(prefix "${BUILD_DIR}/install-test-${tag}")
file(REMOVE_RECURSE "${prefix}")

function(fail what)
  file(REMOVE_RECURSE "${prefix}")
  message(FATAL_ERROR "${what}")
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  fail("cmake --install failed:\n${output}")
endif()

set(expected
  bin/tessarin-cli
  share/applications/tessarin.desktop
  share/icons/hicolor/scalable/apps/tessarin.svg
  share/mime/packages/tessarin.xml
  share/tessarin/examples/demo.tesprm
  share/tessarin/examples/demo_lattice.inp
  share/tessarin/examples/manual/first_detector.inp)
if(WITH_GUI)
  list(APPEND expected bin/tessarin "share/doc/tessarin/Tessarin - User Manual.pdf")
endif()
foreach(file IN LISTS expected)
  if(NOT EXISTS "${prefix}/${file}")
    fail("not installed: ${file}")
  endif()
endforeach()

# The installed command line works on the installed examples.
execute_process(COMMAND "${prefix}/bin/tessarin-cli" sets demo.tesprm
                WORKING_DIRECTORY "${prefix}/share/tessarin/examples"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT output MATCHES "current set: ")
  fail("the installed tessarin-cli did not list the example's sets (${status}):\n${output}${errors}")
endif()
execute_process(COMMAND "${prefix}/bin/tessarin-cli" check demo_lattice.inp
                WORKING_DIRECTORY "${prefix}/share/tessarin/examples" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  fail("the installed tessarin-cli could not check the installed example")
endif()

# The desktop entry starts the installed program and opens parameter files.
file(READ "${prefix}/share/applications/tessarin.desktop" entry)
if(NOT entry MATCHES "Exec=\"${prefix}/bin/tessarin\" %f" OR NOT entry MATCHES "MimeType=application/x-tessarin-parameters;")
  fail("the desktop entry does not start ${prefix}/bin/tessarin for parameter files:\n${entry}")
endif()
find_program(validate desktop-file-validate)
if(validate)
  execute_process(COMMAND ${validate} "${prefix}/share/applications/tessarin.desktop"
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0 OR output MATCHES "error")
    fail("desktop-file-validate:\n${output}")
  endif()
else()
  message(STATUS "desktop-file-validate is not installed (package desktop-file-utils): the entry is not validated")
endif()
# The install refreshed the MIME database of the prefix: the file type is known.
find_program(update_mime update-mime-database)
if(update_mime AND NOT EXISTS "${prefix}/share/mime/application/x-tessarin-parameters.xml")
  fail("the file type of parameter files is not in the prefix's MIME database")
endif()

file(REMOVE_RECURSE "${prefix}")
message(STATUS "installed and checked in a temporary prefix")

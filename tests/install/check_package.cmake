# Builds the Debian package of the build with CPack and checks what a user
# of Debian or Ubuntu gets: its fields (the Qt 6 packages it depends on),
# its files under /usr, and that dpkg installs it into a temporary root,
# where the installed command line checks the installed examples.
# Run as: cmake -DBUILD_DIR=... -DWITH_GUI=0|1 -P check_package.cmake
foreach(tool dpkg dpkg-deb dpkg-shlibdeps file)
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    message(STATUS "package test skipped: ${tool} is not installed (scripts/setup.sh installs it)")
    return()
  endif()
endforeach()

string(RANDOM LENGTH 8 tag)
set(work "${BUILD_DIR}/package-test-${tag}")
file(REMOVE_RECURSE "${work}")

function(fail what)
  file(REMOVE_RECURSE "${work}")
  message(FATAL_ERROR "${what}")
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DESTDIR cpack -G DEB --config "${BUILD_DIR}/CPackConfig.cmake"
                        -B "${work}"
                WORKING_DIRECTORY "${BUILD_DIR}" RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB packages "${work}/tessarin_*.deb")
list(LENGTH packages count)
if(NOT status EQUAL 0 OR NOT count EQUAL 1)
  fail("cpack made no package (${status}):\n${output}")
endif()
set(package "${packages}")

execute_process(COMMAND dpkg-deb --field "${package}" Package Architecture Depends
                RESULT_VARIABLE status OUTPUT_VARIABLE fields ERROR_VARIABLE errors)
set(wanted "Package: tessarin" "Depends: .*libc6" "Depends: .*libstdc\\+\\+6")
if(WITH_GUI)
  list(APPEND wanted "Depends: .*libqt6widgets6" "Depends: .*libqt6gui6")
endif()
foreach(field IN LISTS wanted)
  if(NOT fields MATCHES "${field}")
    fail("the package's fields lack ${field}:\n${fields}${errors}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb --contents "${package}" OUTPUT_VARIABLE contents RESULT_VARIABLE status)
set(files
  ./usr/bin/tessarin-cli
  ./usr/share/applications/tessarin.desktop
  ./usr/share/icons/hicolor/scalable/apps/tessarin.svg
  ./usr/share/mime/packages/tessarin.xml
  ./usr/share/tessarin/examples/demo.tesprm
  ./usr/share/tessarin/examples/manual/first_detector.inp)
if(WITH_GUI)
  list(APPEND files ./usr/bin/tessarin "./usr/share/doc/tessarin/Tessarin - User Manual.pdf")
endif()
foreach(file IN LISTS files)
  string(REPLACE "+" "\\+" pattern "${file}")
  if(NOT contents MATCHES " ${pattern}\n")
    fail("the package lacks ${file}:\n${contents}")
  endif()
endforeach()
# The distribution keeps the desktop's caches; the stand-in simulator is for the build tree only.
foreach(stray ./usr/share/mime/mime.cache ./usr/share/applications/mimeinfo.cache ./usr/bin/Varnholt)
  if(contents MATCHES " ${stray}\n")
    fail("the package holds ${stray}")
  endif()
endforeach()

# dpkg installs it into an empty root of its own: no maintainer scripts to
# run, so neither root rights nor a chroot are needed.
set(root "${work}/root")
file(MAKE_DIRECTORY "${root}/var/lib/dpkg/info" "${root}/var/lib/dpkg/updates")
file(TOUCH "${root}/var/lib/dpkg/status" "${root}/var/lib/dpkg/available")
set(dpkg dpkg --root=${root} --force-not-root --force-script-chrootless --force-depends --log=/dev/null)
execute_process(COMMAND ${dpkg} --install "${package}" RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
execute_process(COMMAND ${dpkg} --status tessarin RESULT_VARIABLE queried OUTPUT_VARIABLE state ERROR_VARIABLE state)
if(NOT status EQUAL 0 OR NOT state MATCHES "Status: install ok installed")
  fail("dpkg did not install the package into ${root} (${status}):\n${output}${state}")
endif()
file(READ "${root}/usr/share/applications/tessarin.desktop" entry)
if(NOT entry MATCHES "Exec=\"/usr/bin/tessarin\" %f")
  fail("the installed desktop entry does not start /usr/bin/tessarin:\n${entry}")
endif()
execute_process(COMMAND "${root}/usr/bin/tessarin-cli" check first_detector.inp
                WORKING_DIRECTORY "${root}/usr/share/tessarin/examples/manual"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT output MATCHES "read without errors")
  fail("the installed tessarin-cli did not check the installed walkthrough (${status}):\n${output}${errors}")
endif()

file(REMOVE_RECURSE "${work}")
message(STATUS "built ${package}, checked its fields and files, and installed it into a temporary root")

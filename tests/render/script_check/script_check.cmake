# The checks of RT scripts that the render tests use: the Tcl stand-ins for
# MGED, BRL-CAD's own MGED and rt, and the point-membership comparison.
file(GLOB script_check_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_library(tessarin_script_check STATIC ${script_check_sources})
target_include_directories(tessarin_script_check PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tessarin_script_check PUBLIC tessarin_input tessarin_settings tessarin_test_support)

# BRL-CAD 7.32.6, built headless, lives beside the project for CI and
# developer machines; it is unpacked into the build tree once. Without it the
# tests that need MGED say so and skip.
set(TESSARIN_BRLCAD_ARCHIVE "" CACHE FILEPATH "the BRL-CAD tarball the RT script tests run MGED and rt from")
if(NOT TESSARIN_BRLCAD_ARCHIVE)
  file(GLOB brlcad_archives ${PROJECT_SOURCE_DIR}/../shared/tools/brlcad/brlcad-*.tar.xz
       ${PROJECT_SOURCE_DIR}/../../shared/tools/brlcad/brlcad-*.tar.xz)
  if(brlcad_archives)
    list(GET brlcad_archives 0 TESSARIN_BRLCAD_ARCHIVE)
  endif()
endif()
set(brlcad_root ${PROJECT_BINARY_DIR}/brlcad)
file(GLOB brlcad_mged ${brlcad_root}/*/bin/mged)
if(NOT brlcad_mged AND TESSARIN_BRLCAD_ARCHIVE AND EXISTS ${TESSARIN_BRLCAD_ARCHIVE})
  message(STATUS "Unpacking BRL-CAD for the RT script tests: ${TESSARIN_BRLCAD_ARCHIVE}")
  file(ARCHIVE_EXTRACT INPUT ${TESSARIN_BRLCAD_ARCHIVE} DESTINATION ${brlcad_root})
  file(GLOB brlcad_mged ${brlcad_root}/*/bin/mged)
endif()
set(brlcad_bin "")
if(brlcad_mged)
  get_filename_component(brlcad_bin ${brlcad_mged} DIRECTORY)
endif()
target_compile_definitions(tessarin_script_check PUBLIC
  TESSARIN_SCRIPT_CHECK_DIR="${CMAKE_CURRENT_LIST_DIR}"
  TESSARIN_BRLCAD_BIN="${brlcad_bin}")

if(TARGET tessarin_render_tests)
  target_link_libraries(tessarin_render_tests PRIVATE tessarin_script_check)
  add_dependencies_if_exists(tessarin_render_tests tessarin-cli)
endif()

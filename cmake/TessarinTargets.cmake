# Every folder under src/ is one library named tessarin_<folder>; its sources
# are the .cpp files in the folder itself, so adding a file needs no CMake edit.
function(tessarin_library name folder)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# One GoogleTest program per tests/<folder>, run through CTest.
function(tessarin_test_folder folder)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  string(REPLACE "/" "_" stem ${folder})
  set(target tessarin_${stem}_tests)
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} tessarin_test_support GTest::gtest_main GTest::gmock)
  target_compile_definitions(${target} PRIVATE
    TESSARIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    TESSARIN_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    TESSARIN_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

function(add_dependencies_if_exists target)
  if(TARGET ${target})
    add_dependencies(${target} ${ARGN})
  endif()
endfunction()

# The differential test of the geometry: random models, and the regression
# cases kept from them, held against the RT script, the point locator and
# BRL-CAD; and the program that searches new seeds (scripts/differential).
file(GLOB differential_check_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/check/*.cpp)
add_library(tessarin_differential_check STATIC ${differential_check_sources})
target_include_directories(tessarin_differential_check PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tessarin_differential_check PUBLIC tessarin_script_check tessarin_preview tessarin_render)

tessarin_test_folder(differential DEPENDS tessarin_differential_check)

add_executable(tessarin_differential_search ${CMAKE_CURRENT_LIST_DIR}/search/differential_search.cpp)
target_link_libraries(tessarin_differential_search PRIVATE tessarin_differential_check tessarin_settings)

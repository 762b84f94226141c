# The fuzzing configuration: clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer over the libraries, and the harnesses of
# tests/fuzz. Nothing else is built in it.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "TESSARIN_FUZZ needs clang (e.g. -DCMAKE_CXX_COMPILER=clang++); this is ${CMAKE_CXX_COMPILER_ID}")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer -O1 -g)
add_link_options(-fsanitize=address,undefined)

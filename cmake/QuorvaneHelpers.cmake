# One static library per folder, its tests beside it as *_test.cpp in one test program.
#   quorvane_library(<name> SOURCES ... [DEPS ...])
#   quorvane_tests(<library> SOURCES ... [DEPS ...] [LABELS ...])
function(quorvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

function(quorvane_tests library)
  if(NOT QUORVANE_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  set(exe ${library}_tests)
  add_executable(${exe} ${ARG_SOURCES})
  target_link_libraries(${exe} PRIVATE ${library} ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  # An empty LABELS value would swallow the next property name, so it is only passed when set.
  set(properties TIMEOUT 300)
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Each test case in its own emulator start (Wine) would cost seconds apiece: one run per
    # program instead.
    add_test(NAME ${exe} COMMAND ${exe} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${exe} PROPERTIES ${properties})
  else()
    gtest_discover_tests(${exe}
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      PROPERTIES ${properties}
      DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

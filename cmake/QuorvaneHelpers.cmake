# One static library per folder, its tests beside it as *_test.cpp in one test program.
#   quorvane_library(<name> SOURCES ... [DEPS ...])
#   quorvane_tests(<library> SOURCES ... [DEPS ...] [LABELS ...] [GUI])
#     GUI: the tests drive Qt windows; they run offscreen under one QApplication.
#   quorvane_program(<name> SOURCES ... [DEPS ...] ICON <artwork icon> DESCRIPTION <text>)
#     a window program, built into QUORVANE_PROGRAM_DIR beside its language library; on Windows
#     with its icon and version resources.
#   quorvane_language_library(<name> SOURCES ...)
#     a program's English caption table (lang/caption_table.h), beside the programs.
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
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;DEPS;LABELS" ${ARGN})
  set(exe ${library}_tests)
  add_executable(${exe} ${ARG_SOURCES})
  if(ARG_GUI)
    set(test_main quorvane_gui_test_main)
    set_target_properties(${exe} PROPERTIES AUTOMOC ON)
  else()
    set(test_main GTest::gtest_main)
  endif()
  target_link_libraries(${exe} PRIVATE ${library} ${ARG_DEPS} GTest::gtest ${test_main})
  # An empty LABELS value would swallow the next property name, so it is only passed when set.
  set(properties TIMEOUT 300)
  if(ARG_GUI)
    list(APPEND properties ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endif()
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

function(quorvane_program name)
  cmake_parse_arguments(ARG "" "ICON;DESCRIPTION" "SOURCES;DEPS" ${ARGN})
  if(WIN32)
    # The icon the shell shows and the version in the file's properties.
    set(rc_name ${name})
    set(rc_icon ${QUORVANE_ARTWORK_DIR}/${ARG_ICON}.ico)
    set(rc_description ${ARG_DESCRIPTION})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/program.rc.in ${rc} @ONLY)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${rc_icon})
    list(APPEND ARG_SOURCES ${rc})
  endif()
  add_executable(${name} WIN32 ${ARG_SOURCES})
  if(WIN32)
    add_dependencies(${name} quorvane_artwork)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUORVANE_PROGRAM_DIR})
endfunction()

function(quorvane_language_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  # Only the caption table is exported; a .dll beside the .exe on Windows, a .so elsewhere.
  set_target_properties(${name} PROPERTIES
    C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden
    RUNTIME_OUTPUT_DIRECTORY ${QUORVANE_PROGRAM_DIR}
    LIBRARY_OUTPUT_DIRECTORY ${QUORVANE_PROGRAM_DIR})
  if(WIN32)
    # Windows looks for the library by its bare name, which MinGW would prefix with "lib".
    set_target_properties(${name} PROPERTIES PREFIX "")
  endif()
endfunction()

# Writes <file>: one line per library and program of the tree, tab-separated — its name, its
# sources, the targets it links and those it hands on to what links it. The include check
# reads it to hold every file to the libraries its target links.
function(quorvane_write_link_map file)
  set(directories ${PROJECT_SOURCE_DIR})
  set(lines "")
  while(directories)
    list(POP_FRONT directories directory)
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    list(APPEND directories ${subdirectories})
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|EXECUTABLE)$")
        continue()
      endif()
      get_target_property(sources ${target} SOURCES)
      set(paths "")
      foreach(source ${sources})
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${directory} NORMALIZE)
        cmake_path(RELATIVE_PATH source BASE_DIRECTORY ${PROJECT_SOURCE_DIR})
        list(APPEND paths ${source})
      endforeach()
      get_target_property(links ${target} LINK_LIBRARIES)
      get_target_property(handed ${target} INTERFACE_LINK_LIBRARIES)
      foreach(list paths links handed)
        if(NOT ${list})
          set(${list} "")
        endif()
        string(REPLACE ";" " " ${list} "${${list}}")
      endforeach()
      string(APPEND lines "${target}\t${paths}\t${links}\t${handed}\n")
    endforeach()
  endwhile()
  file(WRITE ${file} "${lines}")
endfunction()

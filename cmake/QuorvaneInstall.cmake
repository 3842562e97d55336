# Installation and the Debian package. The window programs, their language libraries, the
# launcher's picture and a Multi.lang template go into one folder, where each program finds its
# library and the launcher finds the picture and its siblings: bin/ on Windows, lib/quorvane/
# elsewhere, with the programs linked into bin/ and a start script that gives them a working
# folder of the user's own.
if(WIN32)
  set(QUORVANE_INSTALL_PROGRAM_DIR bin)
else()
  set(QUORVANE_INSTALL_PROGRAM_DIR lib/quorvane)
endif()

# A program that is not built in this configuration (no Qt, or not written yet) drops out here.
set(window_programs)
foreach(program Quorvane QuorvaneFile QuorvaneDevice quorvane-chart)
  if(TARGET ${program})
    list(APPEND window_programs ${program})
  endif()
endforeach()
set(language_libraries)
foreach(library Ostrelan Duvrelan Cantrelan)
  if(TARGET ${library})
    list(APPEND language_libraries ${library})
  endif()
endforeach()

install(TARGETS quorvane-cli RUNTIME DESTINATION bin)
if(TARGET quorvane-sim)
  install(TARGETS quorvane-sim RUNTIME DESTINATION bin)
endif()
if(window_programs)
  install(TARGETS ${window_programs} RUNTIME DESTINATION ${QUORVANE_INSTALL_PROGRAM_DIR})
  install(TARGETS ${language_libraries}
    RUNTIME DESTINATION ${QUORVANE_INSTALL_PROGRAM_DIR}
    LIBRARY DESTINATION ${QUORVANE_INSTALL_PROGRAM_DIR}
    ARCHIVE EXCLUDE_FROM_ALL)
  install(FILES ${QUORVANE_ARTWORK_DIR}/zel4400.jpg packaging/Multi.lang
    DESTINATION ${QUORVANE_INSTALL_PROGRAM_DIR})

  if(NOT WIN32)
    set(links ${CMAKE_BINARY_DIR}/install-links)
    file(MAKE_DIRECTORY ${links})
    foreach(program ${window_programs})
      file(CREATE_LINK ../${QUORVANE_INSTALL_PROGRAM_DIR}/${program} ${links}/${program} SYMBOLIC)
      install(FILES ${links}/${program} DESTINATION bin)
    endforeach()
    install(PROGRAMS packaging/quorvane-start DESTINATION bin)

    set(comment_Quorvane "Start the sound velocity profiler programs")
    set(comment_QuorvaneFile "Process sound velocity casts into profiles, exports and charts")
    set(comment_QuorvaneDevice "Set up the profiler and download its casts")
    foreach(program Quorvane QuorvaneFile QuorvaneDevice)
      if(NOT TARGET ${program})
        continue()
      endif()
      string(TOLOWER ${program} DESKTOP_ICON)
      set(DESKTOP_PROGRAM ${program})
      set(DESKTOP_COMMENT ${comment_${program}})
      set(entry ${CMAKE_BINARY_DIR}/desktop/${DESKTOP_ICON}.desktop)
      configure_file(packaging/program.desktop.in ${entry} @ONLY)
      install(FILES ${entry} DESTINATION share/applications)
      install(FILES ${QUORVANE_ARTWORK_DIR}/${DESKTOP_ICON}.png
        DESTINATION share/icons/hicolor/256x256/apps)
    endforeach()
  endif()
endif()

set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "Quorvane")
set(CPACK_PACKAGE_CONTACT "Quorvane developers <quorvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Sound velocity profiler software: device download, cast processing, launcher")
set(CPACK_PACKAGE_DESCRIPTION
  "Configures a self-recording sound velocity profiler, downloads its casts over a serial\n\
port, and turns them into sound velocity profiles, average velocities, survey exports\n\
(CSV, HYPACK .vel, text) and charts. Chinese and English interface.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The Qt libraries and the C++ runtime from the programs' own links; the font the Chinese texts
# need is found only at run time, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei")
# Qt's own dialogs in the Chinese interface; without it they stay English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)

# The package as a user gets it: built, unpacked into a scratch root, each program started
# offscreen from there.
if(QUORVANE_TESTS AND window_programs AND NOT WIN32)
  find_program(QUORVANE_DPKG_DEB dpkg-deb)
  if(QUORVANE_DPKG_DEB)
    add_test(NAME quorvane_package
      COMMAND ${PROJECT_SOURCE_DIR}/scripts/package_test.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
    set_tests_properties(quorvane_package PROPERTIES LABELS package TIMEOUT 600)
  endif()
endif()

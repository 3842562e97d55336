# SQLite::SQLite3 for the cast library: the system's SQLite, or in a cross build that has none
# (Debian ships no MinGW build of it) SQLite's amalgamation, compiled into the programs.
# scripts/windows_sqlite.sh makes the amalgamation from Debian's source: the Windows programs
# get the SQLite the Linux ones link. Without either, SQLite::SQLite3 is not defined.
set(QUORVANE_SQLITE_AMALGAMATION "" CACHE PATH
  "Folder holding sqlite3.c and sqlite3.h, for a cross build without SQLite")
find_package(SQLite3)
if(SQLite3_FOUND OR NOT CMAKE_CROSSCOMPILING OR NOT QUORVANE_SQLITE_AMALGAMATION
   OR TARGET SQLite::SQLite3)
  return()
endif()
set(sqlite_dir ${QUORVANE_SQLITE_AMALGAMATION})
if(NOT EXISTS ${sqlite_dir}/sqlite3.c OR NOT EXISTS ${sqlite_dir}/sqlite3.h)
  message(FATAL_ERROR "QUORVANE_SQLITE_AMALGAMATION: no sqlite3.c and sqlite3.h in ${sqlite_dir}")
endif()
enable_language(C)
add_library(quorvane_sqlite3 STATIC ${sqlite_dir}/sqlite3.c)
# SYSTEM: the tree's warning options are for its own code, not for SQLite's header.
target_include_directories(quorvane_sqlite3 SYSTEM INTERFACE ${sqlite_dir})
target_compile_definitions(quorvane_sqlite3 PRIVATE
  # As Debian builds it: a connection is safe to use from any thread.
  SQLITE_THREADSAFE=1
  # Nothing loads extensions: without that code no SQL can load a DLL, whatever it enables.
  SQLITE_OMIT_LOAD_EXTENSION)
# SQLite's own code is tested upstream with its own flags; its warnings under the tree's
# -Wall -Wextra (and -Werror in CI) are not ours to fix.
target_compile_options(quorvane_sqlite3 PRIVATE -w)
add_library(SQLite::SQLite3 ALIAS quorvane_sqlite3)
message(STATUS "SQLite 3 from the amalgamation in ${sqlite_dir}")

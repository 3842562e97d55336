# MinGW-w64 with the shared C++ runtime, for everything that links the cross-built Qt: Qt's DLLs
# use the shared runtime, and a program with a second, static copy of it would hand memory and
# exceptions across DLL borders between two runtimes. The runtime DLLs ship beside the programs.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
set(CMAKE_EXE_LINKER_FLAGS_INIT "")

# Cross toolchain: 32-bit Windows, the program's own build.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZX_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)

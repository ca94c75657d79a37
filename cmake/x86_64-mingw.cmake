# Cross toolchain: 64-bit Windows, the test build for machines that execute
# no 32-bit x86 code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZX_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)

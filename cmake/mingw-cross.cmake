# Shared by the two cross toolchain files, which set CMAKE_SYSTEM_PROCESSOR
# and ZX_TRIPLE first: the posix thread model (std::thread, GoogleTest) and
# static runtimes.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${ZX_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZX_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${ZX_TRIPLE}-windres)
set(CMAKE_DLLTOOL      ${ZX_TRIPLE}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${ZX_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every binary runs on a bare Windows machine: no libgcc, libstdc++ or
# winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Cross build of the Windows edition on Linux: Debian's MinGW-w64 compiler with POSIX threads
# (std::thread and std::mutex need them), a static runtime so that no DLL has to travel beside
# the programs, and wine to run what the build produces (the job generator, the tests).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZT40_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZT40_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZT40_MINGW_PREFIX}-g++-posix)
set(CMAKE_ASM_COMPILER ${ZT40_MINGW_PREFIX}-gcc-posix)
set(CMAKE_RC_COMPILER ${ZT40_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZT40_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Debian 12's `wine` runs 64-bit programs; the loader is found on the PATH, and every program
# of the build runs through a wrapper that gives a start wine failed outright a second try.
find_program(ZT40_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../wine-run.sh)

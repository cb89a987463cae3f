# Cross build for 32-bit Windows with MinGW-w64: the programs of the bundle, which run under
# 32-bit Wine (tools/wine-run 32, in a 32-bit-only prefix). The programs have one thread, so the
# win32 thread model keeps the POSIX threads library out of them. GoogleTest needs the posix
# model, so the build of the unit tests and end-to-end helpers (preset windows-x86-tests) sets
# PREREQ_THREAD_MODEL=posix; the bundle is always built with win32.
set(PREREQ_THREAD_MODEL win32 CACHE STRING "MinGW-w64 thread model of the compilers: win32 or posix")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PREREQ_THREAD_MODEL)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${PREREQ_THREAD_MODEL})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${PREREQ_THREAD_MODEL})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run 32)

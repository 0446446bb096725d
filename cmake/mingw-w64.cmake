# Cross-builds the Windows console program with Debian's MinGW-w64 compilers
# (packages g++-mingw-w64-x86-64 and mingw-w64):
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#
# The project's CMakeLists.txt adds what the program itself needs on Windows
# (static linking, C99 stdio); this file only says where the tools are.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DIMCHECK_MINGW_PREFIX x86_64-w64-mingw32)
# The win32 thread model: the program has one thread and needs no winpthread.
find_program(CMAKE_C_COMPILER NAMES ${DIMCHECK_MINGW_PREFIX}-gcc-win32 ${DIMCHECK_MINGW_PREFIX}-gcc)
find_program(CMAKE_CXX_COMPILER NAMES ${DIMCHECK_MINGW_PREFIX}-g++-win32 ${DIMCHECK_MINGW_PREFIX}-g++)
find_program(CMAKE_RC_COMPILER NAMES ${DIMCHECK_MINGW_PREFIX}-windres)
find_program(CMAKE_AR NAMES ${DIMCHECK_MINGW_PREFIX}-ar)
find_program(CMAKE_RANLIB NAMES ${DIMCHECK_MINGW_PREFIX}-ranlib)
find_program(CMAKE_STRIP NAMES ${DIMCHECK_MINGW_PREFIX}-strip)
find_program(CMAKE_OBJDUMP NAMES ${DIMCHECK_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${DIMCHECK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

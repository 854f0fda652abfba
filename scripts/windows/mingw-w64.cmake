# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread).
# The prefix that scripts/windows/toolchain.sh builds is searched for libraries and packages;
# the host's own headers and libraries never are.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_AR ${_triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${_triple}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT DEBACLOCK_WIN64_PREFIX AND DEFINED ENV{DEBACLOCK_WIN64_PREFIX})
    set(DEBACLOCK_WIN64_PREFIX "$ENV{DEBACLOCK_WIN64_PREFIX}")
endif()
# try_compile projects see the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DEBACLOCK_WIN64_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${_triple} ${DEBACLOCK_WIN64_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
if(DEBACLOCK_WIN64_PREFIX)
    list(APPEND CMAKE_PREFIX_PATH ${DEBACLOCK_WIN64_PREFIX})
endif()

# Debian's 64-bit Wine loader is not on the PATH.
if(EXISTS /usr/lib/wine/wine64)
    set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()

# Cross-compiling for 64-bit Windows with MinGW-w64 (Debian package
# mingw-w64), threads from the POSIX flavour of the compiler, and the C and
# C++ runtimes linked in statically so the .exe runs on its own, under Wine
# too.
#   cmake -S tests/registry/wine -B build/wine \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SONGBINDER_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SONGBINDER_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SONGBINDER_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SONGBINDER_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SONGBINDER_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

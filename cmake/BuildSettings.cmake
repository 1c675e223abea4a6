# Compiler flags shared by every build of the project: the program itself,
# the fuzz targets (built with clang, fuzz/) and the registry suite built for
# Windows (tests/registry/wine/). Standard CMake only, so that the projects
# without Qt can include it too.
get_filename_component(SONGBINDER_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

set(SONGBINDER_WARNING_FLAGS
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
set(SONGBINDER_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
# Every conversion between text and bytes is spelled out.
set(SONGBINDER_QT_DEFINITIONS
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

# Each room lists its files once, in sources.cmake beside them, for the
# program and for the projects that build a part of it.
include(${SONGBINDER_SOURCE_ROOT}/src/platform/sources.cmake)
include(${SONGBINDER_SOURCE_ROOT}/src/playlist/sources.cmake)
include(${SONGBINDER_SOURCE_ROOT}/src/playlist_file/sources.cmake)
include(${SONGBINDER_SOURCE_ROOT}/src/registry/sources.cmake)
include(${SONGBINDER_SOURCE_ROOT}/src/tags/sources.cmake)

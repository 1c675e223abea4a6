# One interface target carries the language level, warnings and sanitizer
# flags; every target of the project links it.
add_library(songbinder_options INTERFACE)
target_compile_features(songbinder_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(songbinder_options INTERFACE -Wall -Wextra -Wpedantic)
if(SONGBINDER_WERROR)
    target_compile_options(songbinder_options INTERFACE -Werror)
endif()
if(SONGBINDER_SANITIZE)
    target_compile_options(songbinder_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(songbinder_options INTERFACE -fsanitize=address,undefined)
endif()
target_compile_definitions(songbinder_options INTERFACE
    QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    SONGBINDER_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    SONGBINDER_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    SONGBINDER_VERSION_PATCH=${PROJECT_VERSION_PATCH})

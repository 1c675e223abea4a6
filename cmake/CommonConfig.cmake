# One interface target carries the language level, warnings and sanitizer
# flags; every target of the project links it.
include(BuildSettings)

add_library(songbinder_options INTERFACE)
target_compile_features(songbinder_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(songbinder_options INTERFACE ${SONGBINDER_WARNING_FLAGS})
if(SONGBINDER_WERROR)
    target_compile_options(songbinder_options INTERFACE -Werror)
endif()
if(SONGBINDER_SANITIZE)
    target_compile_options(songbinder_options INTERFACE
        ${SONGBINDER_SANITIZER_FLAGS} -fno-omit-frame-pointer)
    target_link_options(songbinder_options INTERFACE ${SONGBINDER_SANITIZER_FLAGS})
endif()
target_compile_definitions(songbinder_options INTERFACE ${SONGBINDER_QT_DEFINITIONS})

# The version, from the project() call, in one generated header.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
    ${PROJECT_BINARY_DIR}/generated/songbinder_version.h @ONLY)
target_include_directories(songbinder_options INTERFACE ${PROJECT_BINARY_DIR}/generated)

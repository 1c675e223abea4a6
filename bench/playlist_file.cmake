# Loading and saving a 100,000-entry playlist against stat() and a bare
# QSaveFile; a tiny smoke run keeps it working.
add_executable(bench_playlist_file playlist_file_bench.cpp)
target_link_libraries(bench_playlist_file PRIVATE songbinder_core)
if(BUILD_TESTING)
    add_test(NAME bench_playlist_file_smoke COMMAND bench_playlist_file --entries 500 --rounds 1)
    set_tests_properties(bench_playlist_file_smoke PROPERTIES
        TIMEOUT 120
        ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp:print_suppressions=0")
endif()

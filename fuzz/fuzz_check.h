#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise stops the run; libFuzzer keeps the input as a crash.
inline void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

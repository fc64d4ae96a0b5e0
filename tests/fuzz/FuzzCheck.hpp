#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant is a crash to libFuzzer: it stops, saves the input and prints it.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

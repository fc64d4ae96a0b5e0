#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cstdint>
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

// Any double, NaN and infinities included: every bit pattern is as likely.
inline double anyDouble(FuzzedDataProvider& in) {
    return std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
}

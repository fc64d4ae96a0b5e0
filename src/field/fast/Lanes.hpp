#pragma once

#include <cstring>

// Groups of doubles that one instruction adds, multiplies or divides lane by
// lane. The arithmetic on them is the plain IEEE arithmetic of each lane, so a
// kernel written once for a lane type gives the same bits for every width;
// `double` itself is the one-lane (portable) case. The wider types compile to
// SSE2 or AVX2 instructions inside functions built for those instruction sets.
#if defined(__GNUC__)
using Lanes2 = double __attribute__((vector_size(16)));
using Lanes4 = double __attribute__((vector_size(32)));
#endif

template <class V>
inline constexpr int laneCount = static_cast<int>(sizeof(V) / sizeof(double));

// Unaligned loads and stores: the anti-diagonals start anywhere.
template <class V>
[[gnu::always_inline]] inline void loadLanes(V& v, const double* p) {
    std::memcpy(&v, p, sizeof v);
}

template <class V>
[[gnu::always_inline]] inline void storeLanes(double* p, const V& v) {
    std::memcpy(p, &v, sizeof v);
}

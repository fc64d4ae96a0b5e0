#include "field/Range.hpp"

#include <cmath>

ValueRange findValueRange(const double* values, std::size_t n) {
    ValueRange r{values[0], values[0]};
    for (std::size_t k = 1; k < n; ++k) {
        const double v = values[k];
        if (v > r.max) r.max = v;
        if (v < r.min) r.min = v;
    }
    return r;
}

ValueRange displayRange(ValueRange found, bool symmetric) {
    if (!symmetric) return found;
    const double lo = std::fabs(found.min);
    const double hi = std::fabs(found.max);
    const double m = lo > hi ? lo : hi;
    return {-m, m};
}

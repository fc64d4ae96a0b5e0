#include "field/Range.hpp"

#include <cmath>

ValueRange displayRange(ValueRange found, bool symmetric) {
    if (!symmetric) return found;
    const double lo = std::fabs(found.min);
    const double hi = std::fabs(found.max);
    const double m = lo > hi ? lo : hi;
    return {-m, m};
}

#pragma once

#include <cstddef>

struct ValueRange {
    double min;
    double max;
};

// Smallest and largest of values[0 .. n-1]; both start at the first value and
// the comparisons are strict, so a NaN never becomes an extreme. n must be >= 1.
ValueRange findValueRange(const double* values, std::size_t n);

// The range mapped onto the colour map: symmetric about zero, or as found.
ValueRange displayRange(ValueRange found, bool symmetric);

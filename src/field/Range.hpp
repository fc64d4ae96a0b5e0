#pragma once

#include <cstddef>

struct ValueRange {
    double min;
    double max;
};

// The range mapped onto the colour map: symmetric about zero, or as found.
ValueRange displayRange(ValueRange found, bool symmetric);

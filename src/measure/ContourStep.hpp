#pragma once

#include <string>

#include "field/Range.hpp"

// The spacing of the equipotentials: a number of the series 1, 2, 5, 10, 20, 50, ... (and
// downwards), chosen from the potential's range so that about 10 to 20 lines fit.
struct ContourStep {
    int mantissa = 0;  // 1, 2 or 5; 0 when there is no step
    int exponent = 0;
    double value = 0.0;  // mantissa * 10^exponent, rounded once where it can be
};

// Index 3 e + 0, 1, 2 of the series is 1, 2, 5 times 10^e.
ContourStep seriesStep(int index);

// The number of multiples of step within range; 0 for a step that is not positive and finite
// or a range that is not finite.
double contourLineCount(ValueRange range, double step);

// The smallest step of the series that gives at most 20 lines (it then gives at least 8);
// no step for a range that is not finite or has no width.
ContourStep freshContourStep(ValueRange range);

// The previous step while it gives 7 to 26 lines, else a fresh one: a potential that still
// converges moves its range a little every frame, and the lines should not flicker between
// two spacings meanwhile.
ContourStep chooseContourStep(ValueRange range, const ContourStep& previous);

// The step as printf's "%g" writes it ("0.005", "20", "2e-08"), on every platform alike.
std::string stepText(const ContourStep& step);

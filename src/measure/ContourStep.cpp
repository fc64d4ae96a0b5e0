#include "measure/ContourStep.hpp"

#include <cmath>

#include "field/PortableMath.hpp"

namespace {

constexpr double freshMost = 20.0;
constexpr double keptFewest = 7.0;
constexpr double keptMost = 26.0;
constexpr int mantissas[] = {1, 2, 5};
// Powers of ten up to 10^22 are exact doubles, so one product or quotient rounds the step
// once; beyond, portablePow10 is itself rounded (and the same on every platform).
constexpr int exactPowers = 22;

int floorDiv3(int index) {
    return index >= 0 ? index / 3 : -((2 - index) / 3);
}

// A decimal exponent e a little below that of x > 0 (10^e <= x), from its binary exponent
// alone, so no logarithm of the C library decides it.
int decimalExponentBelow(double x) {
    int binary = 0;
    std::frexp(x, &binary);
    return static_cast<int>(std::floor((binary - 1) * 0.30102999566398120)) - 1;
}

bool tooManyLines(ValueRange range, int index) {
    const double step = seriesStep(index).value;
    return step > 0.0 && contourLineCount(range, step) > freshMost;
}

}  // namespace

ContourStep seriesStep(int index) {
    const int exponent = floorDiv3(index);
    const int mantissa = mantissas[index - 3 * exponent];
    double value = 0.0;
    if (exponent >= 0) {
        value = mantissa * portablePow10(exponent);
    } else if (exponent >= -exactPowers) {
        value = mantissa / portablePow10(-exponent);
    } else {
        value = mantissa * portablePow10(exponent);
    }
    return {mantissa, exponent, value};
}

double contourLineCount(ValueRange range, double step) {
    if (!(step > 0.0) || !std::isfinite(step) || !std::isfinite(range.min) ||
        !std::isfinite(range.max) || range.max < range.min) {
        return 0.0;
    }
    return std::floor(range.max / step) - std::ceil(range.min / step) + 1.0;
}

ContourStep freshContourStep(ValueRange range) {
    if (!std::isfinite(range.min) || !std::isfinite(range.max) || !(range.min < range.max)) {
        return {};
    }
    // Halves first: the difference of two finite values may overflow.
    const double tenth = (range.max / 2 - range.min / 2) / 10;
    int index = 3 * decimalExponentBelow(tenth);
    // Down until the step gives too many lines: every smaller step of the series, at most
    // half of it, then gives more than 20 too, so the climb finds the smallest that does not.
    while (!tooManyLines(range, index) && seriesStep(index - 3).value > 0.0)
        index -= 3;
    while (tooManyLines(range, index))
        ++index;
    const ContourStep step = seriesStep(index);
    return std::isfinite(step.value) && step.value > 0.0 ? step : ContourStep{};
}

ContourStep chooseContourStep(ValueRange range, const ContourStep& previous) {
    const double kept = contourLineCount(range, previous.value);
    if (kept >= keptFewest && kept <= keptMost) return previous;
    return freshContourStep(range);
}

std::string stepText(const ContourStep& step) {
    const std::string digit = std::to_string(step.mantissa);
    const int e = step.exponent;
    if (e >= 0 && e <= 5) return digit + std::string(static_cast<std::size_t>(e), '0');
    if (e < 0 && e >= -4) return "0." + std::string(static_cast<std::size_t>(-e - 1), '0') + digit;
    const std::string magnitude = std::to_string(e < 0 ? -e : e);
    return digit + (e < 0 ? "e-" : "e+") + (magnitude.size() < 2 ? "0" : "") + magnitude;
}

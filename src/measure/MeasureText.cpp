#include "measure/MeasureText.hpp"

#include <cmath>
#include <cstdio>

namespace {

std::string printed(const char* format, int digits, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, digits, value);
    return text;
}

}  // namespace

std::string measureNumber(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0) return "0.000";
    if (magnitude < 1e-3 || magnitude >= 1e6) return printed("%.*e", 3, value);
    // Decimals for four significant digits: three below the leading digit's place.
    const int leading = static_cast<int>(std::floor(std::log10(magnitude)));
    const int decimals = leading >= 3 ? 0 : 3 - leading;
    return printed("%.*f", decimals, value);
}

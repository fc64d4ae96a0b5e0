#include "field/Stamp.hpp"

double stampedValue(double v, std::int64_t di, std::int64_t dj, const StampArgs& a,
                    const StampSettings& s) {
    if (a.hard) {
        v = a.density > 0.0 ? s.maxDensity : s.minDensity;
    } else {
        // The divisor is (r + 1)^2, not r^2, so the rim still gets a positive weight.
        const std::int64_t r1 = std::int64_t{a.radius} + 1;
        const double w =
            std::sqrt(1.0 - static_cast<double>(dj * dj + di * di) / static_cast<double>(r1 * r1));
        v = v + w * (a.density * s.softRate);
    }
    if (!a.clampToZero) {
        if (v > s.maxDensity) v = s.maxDensity;
        if (v < s.minDensity) v = s.minDensity;
    } else if (a.density > 0.0) {
        v = std::min(v, s.zeroLevel);
    } else {
        v = std::max(v, s.zeroLevel);
    }
    return v;
}

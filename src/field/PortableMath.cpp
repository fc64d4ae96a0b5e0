#include "field/PortableMath.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "field/DoubleDouble.hpp"

// Each routine works in double-double arithmetic (about 106 bits) and rounds
// once at the end. Only operations that IEEE 754 defines exactly are taken from
// the C library (sqrt, floor, fabs, ldexp, ilogb, nextafter, fmod), so the
// results are the same wherever the arithmetic is IEEE double.

namespace {

using namespace doubledouble;

constexpr double inf = std::numeric_limits<double>::infinity();

// ---- cos ----

// pi/2 as the sum of three doubles: the reduction x - k pi/2 keeps about 160
// bits, so a result near a zero of cos keeps its relative accuracy.
constexpr double halfPi1 = 0x1.921fb54442d18p+0;
constexpr double halfPi2 = 0x1.1a62633145c07p-54;
constexpr double halfPi3 = -0x1.f1976b7ed8fbcp-110;
constexpr double twoOverPi = 0x1.45f306dc9c883p-1;

// x - k pi/2 for the whole k nearest x 2/pi: |r| <= pi/4 up to rounding.
DoubleDouble reduce(double x, double k) {
    DoubleDouble r = add({x, 0.0}, negate(twoProduct(k, halfPi1)));
    r = add(r, negate(twoProduct(k, halfPi2)));
    return add(r, {-(k * halfPi3), 0.0});
}

// first - first r^2/(n(n+1)) + first r^4/(n(n+1)(n+2)(n+3)) - ...: the Taylor
// series of cos r (first = 1, n = 1) or sin r (first = r, n = 2). Sixteen terms
// take |r| <= pi/4 below 2^-120 of the sum.
DoubleDouble taylor(DoubleDouble first, DoubleDouble r2, int n) {
    const DoubleDouble minusR2 = negate(r2);
    DoubleDouble term = first;
    DoubleDouble sum = first;
    for (int k = 0; k < 16; ++k, n += 2) {
        term = divide(multiply(term, minusR2), {static_cast<double>(n) * (n + 1), 0.0});
        sum = add(sum, term);
    }
    return sum;
}

double rounded(DoubleDouble v) {
    return v.hi + v.lo;
}

// ---- hypot ----

// The sign of the exact sum of n <= 8 doubles: their error-free running sums
// form an expansion of non-overlapping parts, smallest first, whose largest
// non-zero part carries the sign of the whole.
int exactSign(const double* terms, int n) {
    double parts[8];
    int count = 0;
    for (int t = 0; t < n; ++t) {
        double q = terms[t];
        for (int i = 0; i < count; ++i) {
            const DoubleDouble s = twoSum(q, parts[i]);
            q = s.hi;
            parts[i] = s.lo;
        }
        parts[count++] = q;
    }
    for (int i = count - 1; i >= 0; --i) {
        if (parts[i] != 0.0) return parts[i] > 0.0 ? 1 : -1;
    }
    return 0;
}

// a^2 + b^2 held exactly, and the spacing of the results that can be returned
// (their ulp, or more where the unscaled result is subnormal).
struct RootProblem {
    DoubleDouble a2;
    DoubleDouble b2;
    double floorSpacing;

    // The sign of a^2 + b^2 - (r + h)^2, all exact: (r + h)^2 = r^2 + 2rh + h^2 with
    // r^2 split exactly and h a power of two.
    int compare(double r, double h) const {
        const DoubleDouble r2 = twoProduct(r, r);
        const double terms[] = {a2.hi,  a2.lo,  b2.hi,          b2.lo,
                                -r2.hi, -r2.lo, -(r * (h + h)), -(h * h)};
        return exactSign(terms, 8);
    }
    double spacingAbove(double r) const {
        return std::max(std::nextafter(r, inf) - r, floorSpacing);
    }
    double spacingBelow(double r) const {
        return std::max(r - std::nextafter(r, 0.0), floorSpacing);
    }
    bool even(double r) const { return std::fmod(r / spacingAbove(r), 2.0) == 0.0; }
};

// The returnable value nearest sqrt(a^2 + b^2) (ties to even), for 1 <= a < 2,
// found by stepping from the rounded root until both neighbouring midpoints lie
// on the right sides of the exact sum of squares.
double nearestRoot(const RootProblem& p) {
    double r = std::sqrt(p.a2.hi + p.b2.hi);
    if (p.floorSpacing > r - std::nextafter(r, 0.0)) {
        r = std::floor(r / p.floorSpacing + 0.5) * p.floorSpacing;
    }
    for (;;) {
        const double up = p.spacingAbove(r) * 0.5;
        const int above = p.compare(r, up);
        if (above > 0 || (above == 0 && !p.even(r))) {
            r += up + up;
            continue;
        }
        const double down = p.spacingBelow(r) * 0.5;
        const int below = p.compare(r, -down);
        if (below < 0 || (below == 0 && !p.even(r))) {
            r -= down + down;
            continue;
        }
        return r;
    }
}

// ---- pow10 ----

// m 2^e with 1 <= m < 2 (up to the last bits): powers of ten far outside the
// double range, and their reciprocals, without overflow or underflow.
struct Binary {
    DoubleDouble m;
    int e;
};

Binary times(Binary a, Binary b) {
    DoubleDouble m = multiply(a.m, b.m);
    int e = a.e + b.e;
    if (m.hi >= 2.0) {
        m = {m.hi * 0.5, m.lo * 0.5};
        ++e;
    }
    return {m, e};
}

Binary reciprocal(Binary a) {
    DoubleDouble m = divide({1.0, 0.0}, a.m);
    int e = -a.e;
    if (m.hi < 1.0) {
        m = {m.hi * 2.0, m.lo * 2.0};
        --e;
    }
    return {m, e};
}

// 10^n for n >= 0 by repeated squaring of 10 = 1.25 2^3.
Binary powerOfTen(unsigned n) {
    Binary result{{1.0, 0.0}, 0};
    Binary base{{1.25, 0.0}, 3};
    while (n != 0) {
        if (n & 1u) result = times(result, base);
        n >>= 1;
        if (n != 0) base = times(base, base);
    }
    return result;
}

// The integer nearest t (ties to even), for 0 <= t < 2^52: |t.lo| is at most half
// an ulp of t.hi, so it decides only when t.hi lies exactly half-way.
double nearestInteger(DoubleDouble t) {
    const double q = std::floor(t.hi);
    const double f = t.hi - q;
    const bool up =
        f > 0.5 || (f == 0.5 && (t.lo > 0.0 || (t.lo == 0.0 && std::fmod(q, 2.0) != 0.0)));
    return up ? q + 1.0 : q;
}

// v rounded to the nearest double; below 2^-1022 the spacing is 2^-1074, so the
// significand is rounded as a whole number of those instead of to 53 bits.
double toDouble(Binary v) {
    if (v.e >= -1022) return std::ldexp(rounded(v.m), v.e);
    const int shift = v.e + 1074;
    if (shift < -1) return 0.0;
    const DoubleDouble t{std::ldexp(v.m.hi, shift), std::ldexp(v.m.lo, shift)};
    return std::ldexp(nearestInteger(t), -1074);
}

}  // namespace

double portableCos(double x) {
    if (!(std::fabs(x) <= 0x1p30)) return std::numeric_limits<double>::quiet_NaN();
    const double k = std::floor(x * twoOverPi + 0.5);
    const DoubleDouble r = reduce(x, k);
    const DoubleDouble r2 = multiply(r, r);
    const std::int64_t quadrant = static_cast<std::int64_t>(k) & 3;
    // cos(k pi/2 + r) is cos r, -sin r, -cos r, sin r as k mod 4 is 0, 1, 2, 3.
    const DoubleDouble value = (quadrant & 1) != 0 ? taylor(r, r2, 2) : taylor({1.0, 0.0}, r2, 1);
    const double v = rounded(value);
    return quadrant == 1 || quadrant == 2 ? -v : v;
}

double portableHypot(double x, double y) {
    if (std::isinf(x) || std::isinf(y)) return inf;
    if (std::isnan(x) || std::isnan(y)) return std::numeric_limits<double>::quiet_NaN();
    double a = std::fabs(x);
    double b = std::fabs(y);
    if (a < b) std::swap(a, b);
    if (b == 0.0) return a;
    const int e = std::ilogb(a);
    // b^2 below 2^-120 of a^2 moves the root by less than a quarter of its ulp.
    if (e - std::ilogb(b) > 60) return a;
    // Scaled by a power of two (exactly) so that 1 <= a < 2: the squares and their
    // error terms stay normal, and the spacing at the end gives subnormal results.
    const double as = std::ldexp(a, -e);
    const double bs = std::ldexp(b, -e);
    const RootProblem p{twoProduct(as, as), twoProduct(bs, bs), std::ldexp(1.0, -1074 - e)};
    return std::ldexp(nearestRoot(p), e);
}

double portablePow10(int k) {
    // Past these every power rounds to 0 or overflows; the clamp keeps the
    // exponent arithmetic small.
    if (k < -400) return 0.0;
    if (k > 400) return inf;
    const Binary p = powerOfTen(static_cast<unsigned>(k < 0 ? -k : k));
    return toDouble(k < 0 ? reciprocal(p) : p);
}

#pragma once

// A number held as the unevaluated sum hi + lo of two doubles, |lo| at most half
// an ulp of hi: about 106 bits. Built from error-free transformations in plain
// IEEE double arithmetic, so it gives the same bits on every platform; this
// relies on -ffp-contract=off, since a fused multiply-add would change the
// products' error terms.
struct DoubleDouble {
    double hi = 0.0;
    double lo = 0.0;
};

namespace doubledouble {

// a + b exactly, for any a and b: the rounded sum and its error.
inline DoubleDouble twoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a + b exactly when |a| >= |b| (or a is zero).
inline DoubleDouble fastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a as two halves of 26 bits each (Veltkamp), so that the products of halves
// are exact; |a| must stay below 2^996.
inline DoubleDouble split(double a) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    const double hi = c - (c - a);
    return {hi, a - hi};
}

// a * b exactly, while neither the product nor its error leaves the normal range.
inline DoubleDouble twoProduct(double a, double b) {
    const double p = a * b;
    const DoubleDouble x = split(a);
    const DoubleDouble y = split(b);
    const double err = ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
    return {p, err};
}

inline DoubleDouble add(DoubleDouble a, DoubleDouble b) {
    DoubleDouble s = twoSum(a.hi, b.hi);
    const DoubleDouble t = twoSum(a.lo, b.lo);
    s = fastTwoSum(s.hi, s.lo + t.hi);
    return fastTwoSum(s.hi, s.lo + t.lo);
}

inline DoubleDouble negate(DoubleDouble a) {
    return {-a.hi, -a.lo};
}

inline DoubleDouble multiply(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = twoProduct(a.hi, b.hi);
    return fastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DoubleDouble multiply(DoubleDouble a, double b) {
    const DoubleDouble p = twoProduct(a.hi, b);
    return fastTwoSum(p.hi, p.lo + a.lo * b);
}

// a / b: three quotient digits, each taken from the remainder the last left.
inline DoubleDouble divide(DoubleDouble a, DoubleDouble b) {
    const double q1 = a.hi / b.hi;
    DoubleDouble r = add(a, negate(multiply(b, q1)));
    const double q2 = r.hi / b.hi;
    r = add(r, negate(multiply(b, q2)));
    const double q3 = r.hi / b.hi;
    return add(fastTwoSum(q1, q2), DoubleDouble{q3, 0.0});
}

}  // namespace doubledouble

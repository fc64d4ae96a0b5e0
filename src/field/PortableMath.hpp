#pragma once

// Elementary functions of our own, in plain IEEE double arithmetic in a fixed
// order, so that every platform gives the same bits: the C libraries differ in
// the last bit of cos, hypot and pow (mingw-w64, musl and glibc each in other
// places), and the relaxation constants, the arrows and the parameter steps
// would differ with them. Each is correctly rounded (to nearest, ties to even)
// on the inputs the program gives it; the tests hold them to a correctly
// rounded reference.

// cos x: correctly rounded for |x| <= 4 (the relaxation constants take cos(pi/n));
// beyond that the same bits everywhere but not always correctly rounded, and a
// NaN past 2^30, where the argument's reduction would need more digits of pi.
double portableCos(double x);

// sqrt(x^2 + y^2) without overflow or underflow on the way, correctly rounded:
// +inf when either is infinite, NaN when either is NaN otherwise.
double portableHypot(double x, double y);

// 10^k correctly rounded, subnormal results included: 0 below the smallest
// subnormal, +inf past the largest double.
double portablePow10(int k);

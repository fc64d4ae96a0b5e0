#pragma once

#include <string>

// A measured value as a student copies it into a calculation: plain decimal with at least four
// significant digits ("0.003100", "1.240", "-12.50"), and e-notation with four digits where
// plain decimal would need many zeros ("3.100e-04", "1.250e+07"). Infinities and NaNs read
// "inf", "-inf" and "nan".
std::string measureNumber(double value);

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "field/Reference.hpp"

TEST(FindRange, SymmetricTakesTheLargerMagnitude) {
    const std::vector<double> a{-3.0, 0.5, 1.0};
    const ValueRange found = valueRangeReference(a.data(), a.size());
    EXPECT_EQ(found.min, -3.0);
    EXPECT_EQ(found.max, 1.0);
    EXPECT_EQ(displayRange(found, true).min, -3.0);
    EXPECT_EQ(displayRange(found, true).max, 3.0);
    EXPECT_EQ(displayRange(found, false).max, 1.0);

    const std::vector<double> b{3.0, -1.0, 0.0};
    const ValueRange sym = displayRange(valueRangeReference(b.data(), b.size()), true);
    EXPECT_EQ(sym.min, -3.0);
    EXPECT_EQ(sym.max, 3.0);
}

TEST(FindRange, AllZeroAndNaN) {
    const std::vector<double> zeros(16, 0.0);
    const ValueRange z = displayRange(valueRangeReference(zeros.data(), zeros.size()), true);
    EXPECT_EQ(z.min, 0.0);
    EXPECT_EQ(z.max, 0.0);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> withNaN{0.5, nan, -2.0, nan};
    const ValueRange n = valueRangeReference(withNaN.data(), withNaN.size());
    EXPECT_EQ(n.min, -2.0);
    EXPECT_EQ(n.max, 0.5);
}

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "params/ParameterT.hpp"

namespace {

void repeat(Parameter& p, void (Parameter::*op)(), int times) {
    for (int k = 0; k < times; ++k)
        (p.*op)();
}

}  // namespace

TEST(ParameterStep, FreshStepIsOneInEveryType) {
    struct {
        bool b = false;
        int i = 0;
        float f = 0.0f;
        double d = 0.0;
    } v;
    EXPECT_EQ(ParameterT<bool>(&v.b, "b", 1).stepText(), "1");
    EXPECT_EQ(ParameterT<int>(&v.i, "i", 1).stepText(), "1");
    EXPECT_EQ(ParameterT<float>(&v.f, "f", 1).stepText(), "1.000000");
    EXPECT_EQ(ParameterT<double>(&v.d, "d", 1).stepText(), "1.000000");
}

TEST(ParameterStep, IntStepsStayWholeAndSumsSaturate) {
    int v = INT_MAX - 1;
    ParameterT<int> p(&v, "i", 1);
    p.decreaseStep();
    EXPECT_EQ(p.exponent, 0);
    repeat(p, &Parameter::increaseStep, 2);
    EXPECT_EQ(p.stepText(), "100");
    repeat(p, &Parameter::increaseStep, 20);
    EXPECT_EQ(p.exponent, 9);
    EXPECT_EQ(p.step, 1000000000);
    p.increase();
    EXPECT_EQ(v, INT_MAX);
    v = INT_MIN + 1;
    p.decrease();
    EXPECT_EQ(v, INT_MIN);
}

TEST(ParameterStep, FloatingStepsAreIteratedProductsWithinFloorAndCeiling) {
    double d = 0.0;
    float f = 0.0f;
    ParameterT<double> pd(&d, "d", 1);
    ParameterT<float> pf(&f, "f", 1);
    repeat(pd, &Parameter::decreaseStep, 3);
    EXPECT_EQ(pd.step, 0.1 * 0.1 * 0.1);
    EXPECT_EQ(pd.stepText(), "0.001000");
    repeat(pd, &Parameter::decreaseStep, 4);
    EXPECT_EQ(pd.stepText(), "0.000000");
    pd.increase();
    EXPECT_GT(d, 0.0);

    repeat(pf, &Parameter::decreaseStep, 60);
    repeat(pd, &Parameter::decreaseStep, 400);
    EXPECT_EQ(pf.exponent, -45);
    EXPECT_EQ(pf.step, std::numeric_limits<float>::denorm_min());
    EXPECT_EQ(pd.exponent, -323);
    repeat(pf, &Parameter::increaseStep, 200);
    repeat(pd, &Parameter::increaseStep, 1000);
    EXPECT_EQ(pf.exponent, 38);
    EXPECT_EQ(pd.exponent, 308);
    EXPECT_TRUE(std::isfinite(pf.step) && std::isfinite(pd.step));
}

TEST(ParameterLimits, ClampingLandsOnTheLimitExclusiveStopsShort) {
    int v = 3;
    ParameterT<int> p(&v, "i", 1);
    p.hasMin = true;
    p.min = 1;
    for (const int expected : {2, 1, 1}) {
        p.changed = false;
        p.decrease();
        EXPECT_EQ(v, expected);
        EXPECT_TRUE(p.changed);
    }
    v = 7;
    p.increaseStep();
    p.decrease();
    EXPECT_EQ(v, 1);
    p.decreaseStep();
    p.minExclusive = true;
    v = 3;
    repeat(p, &Parameter::decrease, 2);
    EXPECT_EQ(v, 2);

    double d = std::numeric_limits<double>::quiet_NaN();
    ParameterT<double> q(&d, "d", 1);
    q.hasMax = true;
    q.max = 1.0;
    q.increase();
    EXPECT_EQ(d, 1.0);
}

TEST(ParameterBool, StepsAsTheIntegersZeroAndOne) {
    bool b = false;
    ParameterT<bool> p(&b, "b", 1);
    p.increase();
    EXPECT_TRUE(b);
    p.increase();
    EXPECT_TRUE(b);
    p.decrease();
    EXPECT_FALSE(b);
    p.decrease();
    EXPECT_TRUE(b);
    // A lower limit of false catches the difference 0 - 1 instead of storing it as true.
    p.hasMin = true;
    p.min = false;
    repeat(p, &Parameter::decrease, 2);
    EXPECT_EQ(p.valueLine(), "b = 0");
}

TEST(ParameterElements, IndexStaysWithinCountAndOnlyValueEditsRaiseChanged) {
    int v[3] = {4, 5, -6};
    ParameterT<int> p(v, "n", 3);
    p.previousElement();
    EXPECT_EQ(p.index, 0u);
    repeat(p, &Parameter::nextElement, 3);
    p.increaseStep();
    p.decreaseStep();
    EXPECT_FALSE(p.changed);
    EXPECT_EQ(p.valueLine(), "n[2] = -6");

    float f = -0.5f;
    ParameterT<float> single(&f, "x", 1);
    single.nextElement();
    EXPECT_EQ(single.valueLine(), "x = -0.500000");
}

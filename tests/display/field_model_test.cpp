#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "field/FieldModel.hpp"

namespace {

double at(const FieldModel& m, std::uint32_t i, std::uint32_t j) {
    return m.potential.data[m.grid.index(i, j)];
}

void randomise(std::vector<double>& values, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (double& v : values)
        v = u(gen);
}

// A model of 6 by 5 nodes on the program's domain [0, 6/5] x [0, 1].
struct SmallModel : testing::Test {
    static constexpr std::uint32_t nx = 6;
    static constexpr std::uint32_t ny = 5;
    FieldModel model{0.0, 6.0 / 5, 0.0, 1.0, nx, ny};

    void expectColumn(std::uint32_t i, double value) {
        for (std::uint32_t j = 0; j < ny; ++j)
            EXPECT_EQ(at(model, i, j), value) << i << "," << j;
    }
};

}  // namespace

TEST(FieldModel, StorageIsXMajor) {
    FieldModel model(0.0, 2.0, 0.0, 1.0, 600, 300);
    EXPECT_EQ(model.grid.nx, 600u);
    EXPECT_EQ(model.grid.ny, 300u);
    EXPECT_EQ(model.grid.index(599, 299), 599u * 300u + 299u);
    EXPECT_EQ(model.potential.data.size(), 600u * 300u);
    EXPECT_EQ(model.field.data.size(), 2u * 600u * 300u);
    EXPECT_EQ(model.grid.hx, model.grid.hy);
}

TEST_F(SmallModel, FixingOneSideOfAPeriodicPairFixesBoth) {
    model.makeLeftRightPeriodic();
    EXPECT_EQ(model.boundaries[Left].kind, Periodic);
    EXPECT_EQ(model.boundaries[Right].kind, Periodic);
    model.setBoundary(Left, 5.0, false);
    EXPECT_EQ(model.boundaries[Left].kind, Fixed);
    EXPECT_EQ(model.boundaries[Right].kind, Fixed);
    expectColumn(0, 5.0);
    expectColumn(nx - 1, 5.0);
    model.setBoundary(Right, 2.0, false);
    EXPECT_EQ(model.boundaries[Left].value, 5.0);
    EXPECT_EQ(model.boundaries[Right].value, 2.0);
    expectColumn(0, 5.0);
    expectColumn(nx - 1, 2.0);
}

TEST_F(SmallModel, KeepingTheKindChangesOnlyTheValue) {
    model.setBoundary(Left, -1.0, false);
    model.setBoundary(Right, -2.0, false);
    model.setBoundary(Top, 1.0, true);
    EXPECT_EQ(model.boundaries[Top].kind, Fixed);
    for (std::uint32_t i = 1; i + 1 < nx; ++i)
        EXPECT_EQ(at(model, i, 0), 1.0) << i;
    EXPECT_EQ(at(model, 0, 0), -1.0);
    EXPECT_EQ(at(model, nx - 1, 0), -2.0);

    // A value given to a periodic side waits until the pair is fixed again.
    randomise(model.potential.data, 6);
    model.makeLeftRightPeriodic();
    model.setBoundary(Left, 9.0, true);
    EXPECT_EQ(model.boundaries[Left].kind, Periodic);
    EXPECT_EQ(model.boundaries[Left].value, 9.0);
    EXPECT_EQ(model.boundaries[Right].value, -2.0);
    for (std::uint32_t j = 1; j + 1 < ny; ++j) {
        EXPECT_EQ(at(model, 0, j), at(model, nx - 2, j)) << j;
        EXPECT_EQ(at(model, nx - 1, j), at(model, 1, j)) << j;
    }
}

TEST_F(SmallModel, RelaxAppliesTheBoundariesAfterEverySweepOnly) {
    randomise(model.potential.data, 7);
    const std::vector<double> before = model.potential.data;
    // Set directly, so that nothing has written them into the edges yet.
    model.boundaries[Left].value = 3.0;
    model.boundaries[Right].value = 4.0;
    model.relax(0);
    EXPECT_EQ(model.potential.data, before);
    model.relax(1);
    expectColumn(0, 3.0);
    expectColumn(nx - 1, 4.0);
    EXPECT_NE(at(model, 2, 2), before[model.grid.index(2, 2)]);
}

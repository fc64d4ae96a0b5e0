#include <gtest/gtest.h>

#include "field/FieldModel.hpp"

TEST(FieldModel, StorageIsXMajor) {
    FieldModel model(0.0, 2.0, 0.0, 1.0, 600, 300);
    EXPECT_EQ(model.grid.nx, 600u);
    EXPECT_EQ(model.grid.ny, 300u);
    EXPECT_EQ(model.grid.index(599, 299), 599u * 300u + 299u);
    EXPECT_EQ(model.potential.data.size(), 600u * 300u);
    EXPECT_EQ(model.field.data.size(), 2u * 600u * 300u);
    EXPECT_EQ(model.grid.hx, model.grid.hy);
}

#pragma once

#include <cstdint>
#include <memory>

#include "field/FieldModel.hpp"
#include "field/Grid2D.hpp"

// A model on the program's domain of nx by ny nodes, prepared for display as the
// application prepares its own (at scale 1): what the tests, benchmarks and fuzz
// targets that work on a model without a window start from.
inline std::unique_ptr<FieldModel> programModel(std::uint32_t nx, std::uint32_t ny) {
    const Grid2D g = domainGrid(nx, ny);
    auto model =
        std::make_unique<FieldModel>(g.xmin, g.xmax, g.ymin, g.ymax, static_cast<std::uint16_t>(nx),
                                     static_cast<std::uint16_t>(ny));
    prepareDisplay(*model, 1.0f);
    return model;
}

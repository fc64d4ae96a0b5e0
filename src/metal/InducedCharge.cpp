#include "metal/InducedCharge.hpp"

#include <cstddef>

#include "field/FieldModel.hpp"

double inducedCharge(const FieldModel& model, std::uint32_t i, std::uint32_t j) {
    const Grid2D& g = model.grid;
    const double* p = model.potential.data.data() + g.index(i, j);
    const std::ptrdiff_t ny = g.ny;
    const double phi = p[0];
    // The sums in the order of the sweep's two update forms.
    if (g.hx == g.hy) {
        const double sum = p[-ny] + p[ny] + p[-1] + p[1] - 4.0 * phi;
        return -(sum / (g.hx * g.hx)) * model.chargeDivisor;
    }
    const double across = (p[ny] + p[-ny]) / (g.hx * g.hx);
    const double along = (p[-1] + p[1]) / (g.hy * g.hy);
    return (phi / model.stencilFactor - (across + along)) * model.chargeDivisor;
}

void showInducedCharge(FieldModel& model) {
    if (model.metal.count == 0) return;
    const Grid2D& g = model.grid;
    ScalarField& layer = model.charge.density;
    for (std::uint32_t i = 1; i + 1 < g.nx; ++i) {
        for (std::uint32_t j = 1; j + 1 < g.ny; ++j) {
            if (model.metal.isMetal(g.index(i, j)))
                layer.setPixelOf(i, j, inducedCharge(model, i, j));
        }
    }
    layer.texture.update(layer.image);
}

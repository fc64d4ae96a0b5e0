#include "field/FieldModel.hpp"

#include <cstddef>
#include <limits>
#include <new>

#include "field/Relaxation.hpp"

namespace {

// The largest per-node array, the field's two doubles a node, must be addressable. Where
// size_t has 32 bits (WebAssembly) a large grid's arrays are not: that machine has not the
// memory for it, as surely as when an allocation is refused, and says so the same way rather
// than with the length error of a vector too long to exist.
void requireAddressable(std::uint32_t nx, std::uint32_t ny) {
    const std::uint64_t bytes = std::uint64_t{nx} * ny * 2 * sizeof(double);
    if (bytes > static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max())) {
        throw std::bad_alloc();
    }
}

Grid2D modelGrid(double xmin, double xmax, double ymin, double ymax, std::uint16_t nx,
                 std::uint16_t ny) {
    requireAddressable(nx, ny);
    return Grid2D(Axis(xmin, xmax, nx), Axis(ymin, ymax, ny));
}

}  // namespace

FieldModel::FieldModel(double xmin, double xmax, double ymin, double ymax, std::uint16_t nx,
                       std::uint16_t ny)
    : grid(modelGrid(xmin, xmax, ymin, ymax, nx, ny)),
      charge(grid),
      potential(grid, sf::Color::Black),
      field(grid),
      metal(grid) {
    const RelaxConstants c = relaxConstants(grid.nx, grid.ny, grid.hx, grid.hy);
    cosSum = c.cosSum;
    omega = c.omega;
    stencilFactor = c.stencilFactor;
    chargeDivisor = c.chargeDivisor;
}

void FieldModel::relax(std::uint32_t sweeps) {
    const SweepInput in{potential.data.data(),
                        charge.density.data.data(),
                        grid.nx,
                        grid.ny,
                        grid.hx,
                        grid.hy,
                        {cosSum, omega, stencilFactor, chargeDivisor},
                        metal.mask(),
                        metal.version};
    relaxFast(in, boundaries, sweeps, relaxWorkspace);
}

void FieldModel::applyBoundaries() {
    applyBoundaryConditions(potential.data.data(), grid.nx, grid.ny, boundaries);
}

void FieldModel::setBoundary(int side, double value, bool keepKind) {
    if (side < Left || side > Bottom) return;
    if (!keepKind) {
        // Both sides of a pair share one kind: fixing one side of a periodic
        // pair fixes its partner at the same value.
        if (boundaries[side].kind == Periodic) boundaries[partnerSide(side)] = {Fixed, value};
        boundaries[side].kind = Fixed;
    }
    boundaries[side].value = value;
    applyBoundaries();
}

void FieldModel::makeLeftRightPeriodic() {
    boundaries[Right].kind = Periodic;
    boundaries[Left].kind = Periodic;
    applyBoundaries();
}

void prepareDisplay(FieldModel& model, float scale) {
    for (ScalarField* layer : {&model.charge.density, &model.potential}) {
        layer->sprite.setScale(scale, scale);
        layer->scale = scale;
        layer->colourMap = blueRedMap;
    }
    model.field.arrows.scale = scale;
    model.charge.density.low = -1.0;
    model.charge.density.high = 1.0;
    model.field.arrows.blockSize = 7;
    model.field.resizeArrows();
}

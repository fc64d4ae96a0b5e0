#include "metal/MetalBrush.hpp"

#include <SFML/Window/Mouse.hpp>
#include <algorithm>

#include "field/FieldModel.hpp"
#include "field/MetalPotential.hpp"
#include "ui/BrushControl.hpp"

namespace {

// The node becomes metal at the potential, or free again; whether either changed.
bool paintNode(FieldModel& m, std::uint32_t i, std::uint32_t j, const MetalDisc& disc) {
    const std::size_t k = m.grid.index(i, j);
    if (disc.erase) {
        if (!m.metal.set(k, false)) return false;
        m.charge.density.setPixelOf(i, j, m.charge.density.data[k]);
        return true;
    }
    const bool changed = m.metal.set(k, true) || m.potential.data[k] != disc.potential;
    m.potential.data[k] = disc.potential;
    return changed;
}

}  // namespace

bool paintMetalDisc(FieldModel& model, const MetalDisc& disc) {
    if (model.grid.nx < 3 || model.grid.ny < 3) return false;  // no interior node
    const std::int32_t r = disc.radius;
    const auto inner = [](std::int32_t v, std::uint32_t n) {
        return std::clamp<std::int32_t>(v, 1, static_cast<std::int32_t>(n) - 2);
    };
    const std::int32_t x0 = inner(disc.cx - r, model.grid.nx);
    const std::int32_t x1 = inner(disc.cx + r, model.grid.nx);
    const std::int32_t y0 = inner(disc.cy - r, model.grid.ny);
    const std::int32_t y1 = inner(disc.cy + r, model.grid.ny);
    const std::int64_t r2 = std::int64_t{r} * r;
    bool changed = false;
    for (std::int32_t i = x0; i <= x1; ++i) {
        const std::int64_t di = i - disc.cx;
        for (std::int32_t j = y0; j <= y1; ++j) {
            const std::int64_t dj = j - disc.cy;
            if (di * di + dj * dj > r2) continue;
            changed |= paintNode(model, static_cast<std::uint32_t>(i),
                                 static_cast<std::uint32_t>(j), disc);
        }
    }
    if (changed && disc.erase) model.charge.density.texture.update(model.charge.density.image);
    return changed;
}

double buttonPotential(const Brush& brush, bool left) {
    const double v = metalPotential(brush.metalLevel);
    // 0.0 - v keeps a grounded metal's potential +0.
    return left ? v : 0.0 - v;
}

void paintMetal(FieldModel& model, const sf::Window& window) {
    const bool left = sf::Mouse::isButtonPressed(sf::Mouse::Left);
    const bool right = sf::Mouse::isButtonPressed(sf::Mouse::Right);
    if (!left && !right) return;
    const Brush& brush = model.charge.brush;
    const auto node = brushNode(sf::Mouse::getPosition(window), model.charge.density, brush.radius);
    if (!node) return;
    paintMetalDisc(model,
                   {node->x, node->y, brush.radius, brush.eraser, buttonPotential(brush, left)});
}

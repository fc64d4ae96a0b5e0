#include "field/VectorField.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "field/FrameKernels.hpp"
#include "field/Gradient.hpp"
#include "field/ScalarField.hpp"

GradientJob VectorField::gradientJob(const ScalarField& source, int factor) {
    return {source.data.data(),         data.data(), grid->nx, grid->ny, grid->hx, grid->hy,
            static_cast<double>(factor)};
}

void VectorField::computeField(const ScalarField& source, int factor) {
    frameKernels(bestSimdLevel()).gradient(gradientJob(source, factor));
}

void VectorField::refresh(const ScalarField& source, int factor) {
    const FrameKernels& kernels = frameKernels(bestSimdLevel());
    if (arrows.normalized) {
        updateLengthMultiplier(kernels.gradientLargest(gradientJob(source, factor)));
    } else {
        kernels.gradient(gradientJob(source, factor));
        updateLengthMultiplier(0.0);
    }
    placeArrows();
}

void VectorField::computeFieldReference(const ScalarField& source, int factor) {
    gradientReference(source.data.data(), data.data(), grid->nx, grid->ny, grid->hx, grid->hy,
                      static_cast<double>(factor));
}

void VectorField::resizeArrows() {
    const std::uint32_t b = std::max<std::uint32_t>(arrows.blockSize, 1);
    const std::size_t cols = arrowAxis(grid->nx, b).count;
    const std::size_t rows = arrowAxis(grid->ny, b).count;
    arrows.vertices.resize(2 * cols * rows);
}

void VectorField::updateLengthMultiplier(double maxSq) {
    if (arrows.normalized) {
        maxMagnitude = std::sqrt(maxSq);
        arrows.lengthMultiplier =
            maxMagnitude > 1e-8
                ? static_cast<float>(static_cast<double>(arrows.normalizedLength) / maxMagnitude)
                : 0.0f;
    }
    // Equal lengths win over normalisation when both are set.
    if (arrows.equalLength) arrows.lengthMultiplier = arrows.normalizedLength;
}

sf::Vector2f VectorField::headOffset(double ex, double ey) const {
    float s = arrows.lengthMultiplier;
    if (arrows.equalLength) {
        // A node without field has no direction: its arrow is drawn as no line.
        if (ex == 0.0 && ey == 0.0) return {0.0f, 0.0f};
        const double half = static_cast<double>(arrows.lengthMultiplier) * 0.5;
        const double magnitude = std::sqrt(ex * ex + ey * ey);
        const double scaled = half / magnitude;
        constexpr double floatMin = std::numeric_limits<float>::min();
        constexpr double floatMax = std::numeric_limits<float>::max();
        // A field too weak or too strong for floats (the squares underflow or
        // overflow, the factor overflows, the components lose their digits)
        // would give a point, an infinite or a NaN head: take its direction in
        // double instead, where hypot neither underflows nor overflows.
        if (!(magnitude >= floatMin && magnitude <= floatMax && scaled <= floatMax)) {
            const double m = std::hypot(ex, ey);
            return {static_cast<float>(ex / m * half), static_cast<float>(ey / m * half)};
        }
        s = static_cast<float>(scaled);
    }
    return {static_cast<float>(ex) * s, static_cast<float>(ey) * s};
}

void VectorField::placeArrow(std::size_t k, std::uint32_t i, std::uint32_t j) {
    const std::size_t at = 2 * grid->index(i, j);
    const double ex = data[at];
    const double ey = data[at + 1];
    const sf::Vector2f tail(static_cast<float>(i), static_cast<float>(j));
    sf::Vector2f head = tail + headOffset(ex, ey);
    // Boundary values edited to extremes can make the field or the multiplier infinite or NaN:
    // such an arrow has no point to end at and is drawn as no line, so that every vertex handed
    // to the graphics driver is a finite point.
    if (!std::isfinite(head.x) || !std::isfinite(head.y)) head = tail;
    arrows.vertices[2 * k].position = tail;
    arrows.vertices[2 * k].color = sf::Color(255, 255, 255, 0);
    arrows.vertices[2 * k + 1].position = head;
    arrows.vertices[2 * k + 1].color = sf::Color(255, 255, 255, 255);
}

void VectorField::rebuildArrows() {
    // The search over every node is the costly part; only normalised arrows need it.
    const double maxSq =
        arrows.normalized
            ? frameKernels(bestSimdLevel()).maxSquaredMagnitude(data.data(), data.size() / 2)
            : 0.0;
    updateLengthMultiplier(maxSq);
    placeArrows();
}

void VectorField::rebuildArrowsReference() {
    updateLengthMultiplier(maxSquaredMagnitudeReference(data.data(), data.size() / 2));
    placeArrows();
}

void VectorField::placeArrows() {
    const std::uint32_t b = std::max<std::uint32_t>(arrows.blockSize, 1);
    const ArrowAxis xs = arrowAxis(grid->nx, b);
    const ArrowAxis ys = arrowAxis(grid->ny, b);
    if (arrows.vertices.getVertexCount() != 2 * std::size_t{xs.count} * ys.count) resizeArrows();
    for (std::uint32_t bi = 0; bi < xs.count; ++bi) {
        for (std::uint32_t bj = 0; bj < ys.count; ++bj) {
            placeArrow(std::size_t{bi} * ys.count + bj, b * bi + xs.offset, b * bj + ys.offset);
        }
    }
}

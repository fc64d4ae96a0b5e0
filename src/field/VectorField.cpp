#include "field/VectorField.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "field/PortableMath.hpp"
#include "field/Reference.hpp"
#include "field/ScalarField.hpp"
#include "field/fast/FrameKernels.hpp"

GradientJob VectorField::gradientJob(const ScalarField& source, int factor) {
    return {source.data.data(),         data.data(), grid->nx, grid->ny, grid->hx, grid->hy,
            static_cast<double>(factor)};
}

void VectorField::computeField(const ScalarField& source, int factor) {
    frameKernels(bestSimdLevel()).gradient(gradientJob(source, factor));
}

void VectorField::refresh(const ScalarField& source, int factor) {
    const FrameKernels& kernels = frameKernels(bestSimdLevel());
    GradientJob job = gradientJob(source, factor);
    // The columns the arrows sample stay in the caches for placeArrows.
    const std::uint32_t b = std::max<std::uint32_t>(arrows.blockSize, 1);
    job.cachedStride = b;
    job.cachedFirst = arrowAxis(grid->nx, b).offset;
    if (arrows.normalized) {
        updateLengthMultiplier(kernels.gradientLargest(job));
    } else {
        kernels.gradient(job);
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
        // double instead, where hypot neither underflows nor overflows (our own,
        // since the C libraries' hypot differ in the last bit).
        if (!(magnitude >= floatMin && magnitude <= floatMax && scaled <= floatMax)) {
            const double m = portableHypot(ex, ey);
            return {static_cast<float>(ex / m * half), static_cast<float>(ey / m * half)};
        }
        s = static_cast<float>(scaled);
    }
    return {static_cast<float>(ex) * s, static_cast<float>(ey) * s};
}

// Boundary values edited to extremes can make the field or the multiplier
// infinite or NaN: such an arrow has no point to end at and is drawn as no
// line, so that every vertex handed to the graphics driver is a finite point.
sf::Vector2f VectorField::headAt(sf::Vector2f tail, const double* pair) const {
    const sf::Vector2f head = tail + headOffset(pair[0], pair[1]);
    return std::isfinite(head.x) && std::isfinite(head.y) ? head : tail;
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
    if (arrows.vertices.getVertexCount() == 0) return;
    // Arrow k = bi * rows + bj: the vertices are filled in order, tail then
    // head, through one pointer rather than an indexing call per vertex.
    sf::Vertex* vertex = &arrows.vertices[0];
    const sf::Color transparent(255, 255, 255, 0);
    const sf::Color opaque(255, 255, 255, 255);
    for (std::uint32_t bi = 0; bi < xs.count; ++bi) {
        const std::uint32_t i = b * bi + xs.offset;
        const double* column = data.data() + 2 * grid->index(i, 0);
        // A field larger than the caches was written past them: ask for the
        // next column's samples while this one's are placed.
        const double* next = bi + 1 < xs.count ? column + 2 * grid->index(b, 0) : column;
        for (std::uint32_t bj = 0; bj < ys.count; ++bj) {
            const std::uint32_t j = b * bj + ys.offset;
            __builtin_prefetch(next + 2 * std::size_t{j});
            const sf::Vector2f tail(static_cast<float>(i), static_cast<float>(j));
            vertex[0].position = tail;
            vertex[0].color = transparent;
            vertex[1].position = headAt(tail, column + 2 * std::size_t{j});
            vertex[1].color = opaque;
            vertex += 2;
        }
    }
}

#include "field/FieldArrows.hpp"

#include <cassert>

sf::Transform FieldArrows::drawingTransform() const {
    sf::Transform t;
    t.scale(scale, scale);
    t.translate(offset);
    return t;
}

ArrowAxis arrowAxis(std::uint32_t n, std::uint32_t b) {
    assert(b >= 1);
    // When b divides n the sample is node b / 2 of each block; otherwise every
    // sample is shifted by half the remainder and the last block is partial.
    const std::uint32_t remainder = n % b;
    const std::uint32_t count = n / b + (remainder != 0 ? 1 : 0);
    const std::uint32_t offset = (remainder + (remainder == 0 ? b : 0)) / 2;
    return {count, offset};
}

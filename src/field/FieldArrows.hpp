#pragma once

#include <SFML/Graphics/Transform.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <cstdint>

// The line segments that show the field, one per square block of nodes, and
// their settings. Positions are in node units; drawing scales them to pixels.
struct FieldArrows {
    sf::VertexArray vertices{sf::Lines};
    std::uint32_t blockSize = 1;
    float lengthMultiplier = 10.0f;
    float normalizedLength = 20.0f;
    bool normalized = true;
    bool equalLength = false;
    float scale = 1.0f;
    sf::Vector2f offset{0.0f, 0.0f};

    // Scale by the display scale, then translate by the offset in node units,
    // so a vertex at p lands at scale * (p + offset) pixels.
    sf::Transform drawingTransform() const;
};

// Arrows along one axis of n nodes with blocks of b nodes: how many, and how
// far the sampled node lies from each block's start. b must be >= 1.
struct ArrowAxis {
    std::uint32_t count;
    std::uint32_t offset;
};

ArrowAxis arrowAxis(std::uint32_t n, std::uint32_t b);

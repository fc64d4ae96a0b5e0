#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <cstdint>

#include "field/Grid2D.hpp"
#include "field/MetalNodes.hpp"

// The sign of metal over either layer: thin grey diagonal lines over every metal node's
// square, one window pixel in six, so the colour beneath stays readable. The image has the
// window's size and exists only once metal has been painted.
class MetalHatch {
  public:
    static constexpr int period = 6;
    const sf::Color colour{200, 200, 200, 255};

    sf::Image image;
    sf::Texture texture;
    sf::Sprite sprite;
    // The metal's version the image shows; 0 for none yet.
    std::uint64_t shownVersion = 0;

    // Redraws the image when the metal has changed since.
    void update(const MetalNodes& metal, const Grid2D& grid, std::uint8_t scale);
    void draw(sf::RenderTarget& target, const MetalNodes& metal) const;

    // Whether window pixel (x, y) of a metal node's square is a line's.
    static bool onLine(std::uint32_t x, std::uint32_t y) { return (x + y) % period == 0; }
};

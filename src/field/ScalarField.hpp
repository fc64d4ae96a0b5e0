#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <cstdint>
#include <vector>

#include "field/ColourMap.hpp"
#include "field/Grid2D.hpp"
#include "field/Range.hpp"

// One double per node, with the image that shows it: image pixel (i, j) shows
// node (i, j), coloured by colourMap over the range low .. high.
class ScalarField {
  public:
    std::vector<double> data;
    double dataMin = 0.0;
    double dataMax = 0.0;
    const Grid2D* grid;
    sf::Image image;
    sf::Texture texture;
    sf::Sprite sprite;
    ColourMap colourMap = nullptr;
    double low = 0.0;
    double high = 1.0;
    float scale = 1.0f;
    sf::Vector2f offset{0.0f, 0.0f};

    ScalarField(const Grid2D& grid, sf::Color fill);
    ScalarField(const ScalarField&) = delete;
    ScalarField& operator=(const ScalarField&) = delete;

    std::uint32_t count() const { return static_cast<std::uint32_t>(data.size()); }

    void findRange(bool symmetric);
    void clear();
    // Recolours every pixel from the values and uploads the image.
    void repaint();
    // The straightforward forms of findRange and repaint, which give the same
    // results: what the tests and the benchmarks hold the fast ones against.
    void findRangeReference(bool symmetric);
    void repaintReference();
    void setPixelOf(std::uint32_t i, std::uint32_t j, double v);

  private:
    void setRange(ValueRange found, bool symmetric);
};
